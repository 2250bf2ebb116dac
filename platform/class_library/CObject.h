// Base of the class library's objects, with a runtime class record that
// can create an object of the class by name.
#pragma once

#include "AfxWin32.h"

class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject* (*m_pfnCreateObject)();
    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};

class CObject {
public:
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    BOOL IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass() == pClass; }
};

#define DECLARE_DYNCREATE(class_name)             \
public:                                           \
    static const CRuntimeClass class##class_name; \
    static CObject* CreateObject();               \
    const CRuntimeClass* GetRuntimeClass() const override;

// A class name is a type here, which parentheses would not leave one.
// NOLINTBEGIN(bugprone-macro-parentheses)
#define IMPLEMENT_DYNCREATE(class_name, base_class_name, wSchema)                                                              \
    CObject* class_name::CreateObject() { return new class_name; }                                                             \
    const CRuntimeClass class_name::class##class_name = {#class_name, sizeof(class_name), wSchema, &class_name::CreateObject}; \
    const CRuntimeClass* class_name::GetRuntimeClass() const { return &class_name::class##class_name; }
// NOLINTEND(bugprone-macro-parentheses)

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)
