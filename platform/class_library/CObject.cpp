#include "CObject.h"

const CRuntimeClass* CObject::GetRuntimeClass() const {
    static const CRuntimeClass classCObject = {"CObject", sizeof(CObject), 0xFFFF, nullptr};
    return &classCObject;
}
