// Every resource of the program in one place: the two dialog templates, the
// string table, icon group 128 and the version block, in Chinese (PRC), the
// program's own language, and in English (United States). Kept as plain data
// so that a native build can write the same data out as a resource script.
// The dialogs' layout is written once; the English templates are the Chinese
// ones with each text put into English, so no control can move between them.
#include "resource.h"

#include <array>
#include <string_view>

#include "../platform/class_library/AfxStrings.h"
#include "../platform/window_system/Resources.h"
#include "IconImages.h"

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kLabel = kChild | SS_RIGHT | WS_GROUP;
constexpr DWORD kField = kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;

constexpr const char* kUsageNote =
    "    目前,只能计算PPI,和以标称G数计算电脑中显示的G数.如:输入1920x1080,4.5英寸,就会直接显示出屏幕的PPI为489,"
    "在下方输入硬盘的标称容量.如320G,就会得出windows中的真实大小容量为:298.02 GB.\n"
    "    希望对大家有用,因为,我常要这样算来算去,麻烦...";

constexpr DialogItemTemplate kMainItems[] = {
    {IDOK, WindowClass::Button, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 259, 7, 36, 14, "确定"},
    {IDCANCEL, WindowClass::Button, kChild | BS_PUSHBUTTON | WS_TABSTOP, 259, 23, 36, 14, "取消"},
    {IDC_STATIC, WindowClass::Static, kLabel, 3, 7, 179, 9, "  矩阵的 X 方向像素(Pixel):"},
    {IDC_STATIC, WindowClass::Static, kLabel, 3, 20, 179, 9, "  矩阵的 Y 方向像素(Pixel):"},
    {IDC_STATIC, WindowClass::Static, kLabel | WS_DISABLED, 3, 33, 179, 9, "  矩阵的 X 方向长度(CM):"},
    {IDC_STATIC, WindowClass::Static, kLabel | WS_DISABLED, 3, 46, 179, 9, "  矩阵的 Y 方向长度(CM):"},
    {IDC_STATIC, WindowClass::Static, kLabel, 3, 59, 179, 9, "  矩阵的对角线长度(Inch):"},
    {IDC_STATIC, WindowClass::Static, kLabel, 3, 72, 179, 9, "  当前屏幕的 PPI [图像的 DPI ](点/平方英寸):"},
    {IDC_STATIC, WindowClass::Static, kLabel, 3, 85, 179, 9, "  当前屏幕的 PPC [图像的 DPC ](点/平方厘米):"},
    {IDC_STATIC, WindowClass::Static, kLabel | WS_DISABLED, 3, 98, 179, 9, "  色深,一个数是多少位( 2 的多少次方):"},
    {IDC_STATIC, WindowClass::Static, kLabel | WS_DISABLED, 3, 111, 179, 9, "  2 的 N 次方等于几:"},
    {IDC_STATIC, WindowClass::Static, kLabel, 3, 124, 179, 9, "硬盘,U盘,SD卡等存储介质在电脑中的实际 G 数:"},
    {IDC_STATIC, WindowClass::Static, kLabel | WS_DISABLED, 3, 137, 179, 9, "  TODO:"},
    {IDC_STATIC, WindowClass::Static, kLabel | WS_DISABLED, 3, 150, 179, 9, "  TODO:"},
    {IDC_PIXEL_X, WindowClass::Edit, kField | ES_LEFT, 189, 7, 62, 12, ""},
    {IDC_PIXEL_Y, WindowClass::Edit, kField | ES_LEFT, 189, 20, 62, 12, ""},
    {IDC_LENGTH_X_CM, WindowClass::Edit, kField | WS_DISABLED | ES_CENTER | ES_NUMBER, 189, 33, 62, 12, ""},
    {IDC_LENGTH_Y_CM, WindowClass::Edit, kField | WS_DISABLED | ES_CENTER | ES_NUMBER, 189, 46, 62, 12, ""},
    {IDC_DIAGONAL, WindowClass::Edit, kField | ES_LEFT, 189, 59, 62, 12, ""},
    {IDC_PPI, WindowClass::Edit, kField | ES_RIGHT | ES_NUMBER | ES_READONLY, 189, 72, 62, 12, ""},
    {IDC_PPC, WindowClass::Edit, kField | ES_RIGHT | ES_NUMBER | ES_READONLY, 189, 85, 62, 12, ""},
    {IDC_COLOR_BITS, WindowClass::Edit, kField | WS_DISABLED | ES_LEFT | ES_NUMBER, 189, 98, 45, 12, ""},
    {IDC_POWER_N, WindowClass::Edit, kField | WS_DISABLED | ES_CENTER | ES_NUMBER, 189, 111, 34, 12, ""},
    {IDC_POWER_RESULT, WindowClass::Edit, kField | WS_DISABLED | ES_LEFT | ES_NUMBER | ES_READONLY, 225, 111, 59, 12, ""},
    {IDC_ACTUAL_GB, WindowClass::Edit, kField | ES_LEFT | ES_READONLY, 225, 124, 59, 12, ""},
    {IDC_SPARE1, WindowClass::Edit, kField | WS_DISABLED | ES_LEFT, 189, 137, 62, 12, ""},
    {IDC_SPARE2, WindowClass::Edit, kField | WS_DISABLED | ES_LEFT, 189, 150, 62, 12, ""},
    {IDC_COLOR_VALUES, WindowClass::Edit, kField | WS_DISABLED | ES_LEFT | ES_NUMBER | ES_READONLY, 237, 98, 48, 12, ""},
    {IDC_RADIO_PERIMETER, WindowClass::Button, kChild | BS_AUTORADIOBUTTON | WS_DISABLED, 264, 42, 31, 10, "周长"},
    {IDC_RADIO_DIAGONAL, WindowClass::Button, kChild | BS_AUTORADIOBUTTON | WS_DISABLED, 264, 60, 31, 10, "对角"},
    {IDC_NOMINAL_GB, WindowClass::Edit, kField | ES_CENTER | ES_NUMBER, 189, 124, 34, 12, ""},
    {IDC_BADGE_WOVEN_LABEL, WindowClass::Static, kChild | SS_ICON, 21, 168, 20, 20, ""},
    {IDC_BADGE_SEAL, WindowClass::Static, kChild | SS_ICON, 264, 196, 20, 20, ""},
    {IDC_BADGE_PLATE_MAKING, WindowClass::Static, kChild | SS_ICON, 21, 198, 20, 20, ""},
    {IDC_STATIC, WindowClass::Button, kChild | BS_GROUPBOX | WS_DISABLED, 7, 162, 288, 65, "算得准, 用得顺 —— Dotwise 小工具"},
    {IDC_STATIC, WindowClass::Static, kChild | SS_LEFT | WS_GROUP, 52, 175, 206, 45, kUsageNote},
    {IDC_STATIC, WindowClass::Static, kChild | SS_LEFT | WS_GROUP, 7, 233, 288, 27,
     "Dotwise 开发组制作。如果这个小工具帮到了你, 欢迎把它推荐给需要的朋友。"},
};

constexpr DialogItemTemplate kAboutItems[] = {
    {IDC_STATIC, WindowClass::Static, kChild | SS_ICON, 11, 17, 20, 20, "#128"},
    {IDC_STATIC, WindowClass::Static, kChild | SS_LEFT | SS_NOPREFIX | WS_GROUP, 40, 10, 119, 8, "Dotwise 1.0 版"},
    // Wide enough for the holder's name; it still ends short of the button.
    {IDC_STATIC, WindowClass::Static, kChild | SS_LEFT | WS_GROUP, 40, 25, 130, 8, "版权所有 (C) 2026 Dotwise 开发组"},
    {IDOK, WindowClass::Button, kChild | BS_DEFPUSHBUTTON | WS_GROUP | WS_TABSTOP, 178, 7, 50, 14, "确定"},
    {IDC_STATIC, WindowClass::Static, kChild | SS_LEFT | WS_GROUP, 29, 45, 191, 117,
     "关于本程序:\n"
     "作者:\tDotwise 开发组\n"
     "用途:\t计算屏幕像素密度和硬盘实际容量\n"
     "起因:\t常常要算屏幕的 PPI 和硬盘在电脑中的\n\t实际大小, 手算麻烦, 于是写了这个小工具\n"
     "界面:\t一个对话框, 输入即得结果\n"
     "版本:\t1.0"},
    {IDC_STATIC, WindowClass::Static, kChild | SS_LEFT | WS_GROUP, 7, 166, 221, 70,
     "写给使用者:\n    这个小程序只做两件事, 但力求每一件都算得准确。"
     "如果你发现算错的地方, 或者希望它多算点什么, 欢迎告诉我们。"},
};

// Each text of the dialogs in Chinese and in English. A text with no entry
// (an edit's empty text, an icon's number, the placeholders) is the same in
// both.
struct Translation {
    std::string_view chinese;
    const char* english;
};

constexpr Translation kEnglishTexts[] = {
    {"确定", "OK"},
    {"取消", "Cancel"},
    {"  矩阵的 X 方向像素(Pixel):", "Resolution across, X (pixels):"},
    {"  矩阵的 Y 方向像素(Pixel):", "Resolution down, Y (pixels):"},
    {"  矩阵的 X 方向长度(CM):", "Width, X (cm):"},
    {"  矩阵的 Y 方向长度(CM):", "Height, Y (cm):"},
    {"  矩阵的对角线长度(Inch):", "Diagonal (inches):"},
    {"  当前屏幕的 PPI [图像的 DPI ](点/平方英寸):", "Screen PPI [image DPI] (dots per inch):"},
    {"  当前屏幕的 PPC [图像的 DPC ](点/平方厘米):", "Screen PPC [image DPC] (dots per cm):"},
    {"  色深,一个数是多少位( 2 的多少次方):", "Color depth, bits per value (2 to the N):"},
    {"  2 的 N 次方等于几:", "2 to the power of N:"},
    {"硬盘,U盘,SD卡等存储介质在电脑中的实际 G 数:", "Disk, USB or SD card, size shown (GB):"},
    {"周长", "Sides"},
    {"对角", "Diag."},
    {"算得准, 用得顺 —— Dotwise 小工具", "Dotwise: exact figures, no fuss"},
    {kUsageNote,
     "    For now: a screen's PPI, and a disk's size as the computer shows it. Type 1920 x 1080 and 4.5 inches for a PPI of 489; "
     "type a nominal 320 GB below for Windows's 298.02 GB.\n"
     "    Handy if you, like me, do these sums by hand."},
    {"Dotwise 开发组制作。如果这个小工具帮到了你, 欢迎把它推荐给需要的朋友。",
     "Made by the Dotwise team. If this little tool helps you, please pass it on to anyone who needs it."},
    {"Dotwise 1.0 版", "Dotwise version 1.0"},
    {"版权所有 (C) 2026 Dotwise 开发组", "Copyright (C) 2026 Dotwise team"},
    {"关于本程序:\n"
     "作者:\tDotwise 开发组\n"
     "用途:\t计算屏幕像素密度和硬盘实际容量\n"
     "起因:\t常常要算屏幕的 PPI 和硬盘在电脑中的\n\t实际大小, 手算麻烦, 于是写了这个小工具\n"
     "界面:\t一个对话框, 输入即得结果\n"
     "版本:\t1.0",
     // The column of values is two tab stops in, past the longest heading.
     "About this program:\n"
     "Author:\t\tthe Dotwise team\n"
     "Purpose:\ta screen's pixel density\n\t\tand a disk's real capacity\n"
     "Why:\t\tworking out screen PPI and\n\t\tdisk sizes by hand was a\n\t\tchore, so we wrote this tool\n"
     "Interface:\tone dialog: type, and the\n\t\tresult is there\n"
     "Version:\t1.0"},
    {"写给使用者:\n    这个小程序只做两件事, 但力求每一件都算得准确。"
     "如果你发现算错的地方, 或者希望它多算点什么, 欢迎告诉我们。",
     "To our users:\n    This little program does just two things, and tries to get each of them exactly right. "
     "If you find a wrong result, or would like it to work out something more, please let us know."},
    {"Dotwise - 像素密度与容量计算 (Dotwise 开发组, 2026)", "Dotwise - Pixel Density and Capacity (Dotwise team, 2026)"},
    {"关于 Dotwise", "About Dotwise"},
};

constexpr const char* InEnglish(const char* chinese) {
    for (const Translation& t : kEnglishTexts)
        if (t.chinese == std::string_view(chinese)) return t.english;
    return chinese;
}

template <std::size_t N>
constexpr std::array<DialogItemTemplate, N> InEnglish(const DialogItemTemplate (&items)[N]) {
    std::array<DialogItemTemplate, N> english{};
    for (std::size_t i = 0; i < N; ++i) {
        english[i] = items[i];
        english[i].text = InEnglish(items[i].text);
    }
    return english;
}

constexpr auto kMainItemsEnglish = InEnglish(kMainItems);
constexpr auto kAboutItemsEnglish = InEnglish(kAboutItems);

constexpr DWORD kMainStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr DWORD kAboutStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr const char* kMainCaption = "Dotwise - 像素密度与容量计算 (Dotwise 开发组, 2026)";
constexpr const char* kAboutCaption = "关于 Dotwise";

constexpr DialogTemplate kDialogs[] = {
    {IDD_DOTWISE_DIALOG, true, kMainStyle, WS_EX_APPWINDOW, 0, 0, 302, 265, kMainCaption, "宋体", 9, kMainItems},
    {IDD_ABOUTBOX, false, kAboutStyle, 0, 0, 0, 235, 239, kAboutCaption, "宋体", 9, kAboutItems},
};

constexpr DialogTemplate kDialogsEnglish[] = {
    {IDD_DOTWISE_DIALOG, true, kMainStyle, WS_EX_APPWINDOW, 0, 0, 302, 265, InEnglish(kMainCaption), "宋体", 9, kMainItemsEnglish},
    {IDD_ABOUTBOX, false, kAboutStyle, 0, 0, 0, 235, 239, InEnglish(kAboutCaption), "宋体", 9, kAboutItemsEnglish},
};

constexpr StringResource kStrings[] = {
    {IDS_ABOUTBOX, "关于 Dotwise(&A)..."},
    {IDS_BADGE_WOVEN_LABEL, "Marvo个人编写织唛相关图像处理程序图标.\n联系方式从略, 无要事请勿打扰。"},
    {IDS_BADGE_SEAL, "Marvo个人手工制作印章1998.\n联系方式从略, 无要事请勿打扰。"},
    {IDS_BADGE_PLATE_MAKING, "Marvo个人编写制版优化主程序图标.\n联系方式从略, 无要事请勿打扰。"},
    {IDS_BADGE_TOOLTIP, "Marvo个人程序...(联系方式从略)"},
    {IDS_NAME_COLOR_VALUES, "颜色数 (2 的位数次方):"},
    {IDS_NAME_POWER_N, "N (求 2 的 N 次方):"},
    {IDS_NAME_NOMINAL_GB, "硬盘,U盘,SD卡等存储介质的标称 G 数:"},
    {IDS_NAME_BADGE_WOVEN_LABEL, "织唛相关图像处理程序图标"},
    {IDS_NAME_BADGE_SEAL, "手工制作的印章"},
    {IDS_NAME_BADGE_PLATE_MAKING, "制版优化主程序图标"},
    {AFX_IDP_PARSE_UINT, "请输入一个正整数。"},
    {AFX_IDP_PARSE_REAL, "请输入一个数。"},
    {AFX_IDP_NO_HELP, "本程序没有帮助文件。"},
};

constexpr StringResource kStringsEnglish[] = {
    {IDS_ABOUTBOX, "&About Dotwise..."},
    {IDS_BADGE_WOVEN_LABEL, "Icon of Marvo's own image program for woven labels.\nContact details left out; please get in touch only if it matters."},
    {IDS_BADGE_SEAL, "A seal Marvo carved by hand, 1998.\nContact details left out; please get in touch only if it matters."},
    {IDS_BADGE_PLATE_MAKING, "Icon of Marvo's own plate-making optimizer.\nContact details left out; please get in touch only if it matters."},
    {IDS_BADGE_TOOLTIP, "Marvo's own programs... (contact details left out)"},
    {IDS_NAME_COLOR_VALUES, "Number of colors (2 to the power of the bits):"},
    {IDS_NAME_POWER_N, "N (for 2 to the power of N):"},
    {IDS_NAME_NOMINAL_GB, "Disk, USB or SD card, nominal size (GB):"},
    {IDS_NAME_BADGE_WOVEN_LABEL, "Woven-label imaging program icon"},
    {IDS_NAME_BADGE_SEAL, "Hand-made seal"},
    {IDS_NAME_BADGE_PLATE_MAKING, "Plate-making optimizer icon"},
    {AFX_IDP_PARSE_UINT, "Please enter a positive whole number."},
    {AFX_IDP_PARSE_REAL, "Please enter a number."},
    {AFX_IDP_NO_HELP, "This program has no help file."},
};

constexpr IconImageResource kMainIconImages[] = {
    {32, 32, kMainIcon32},
    {16, 16, kMainIcon16},
};

constexpr IconGroupResource kIconGroups[] = {
    {IDR_MAINFRAME, kMainIconImages},
};

constexpr VersionField kVersion[] = {
    {"Comments", ""},
    {"CompanyName", ""},
    {"FileDescription", "Dotwise 屏幕像素密度与容量计算器, Dotwise 开发组"},
    {"FileVersion", "1, 0, 0, 1"},
    {"InternalName", "Dotwise"},
    {"LegalCopyright", "版权所有 (C) 2026 Dotwise 开发组"},
    {"LegalTrademarks", ""},
    {"OriginalFilename", "Dotwise.EXE"},
    {"PrivateBuild", ""},
    {"ProductName", "Dotwise 应用程序"},
    {"ProductVersion", "1, 0, 0, 1"},
    {"SpecialBuild", ""},
};

constexpr VersionField kVersionEnglish[] = {
    {"Comments", ""},
    {"CompanyName", ""},
    {"FileDescription", "Dotwise screen pixel density and capacity calculator, Dotwise team"},
    {"FileVersion", "1, 0, 0, 1"},
    {"InternalName", "Dotwise"},
    {"LegalCopyright", "Copyright (C) 2026 Dotwise team"},
    {"LegalTrademarks", ""},
    {"OriginalFilename", "Dotwise.EXE"},
    {"PrivateBuild", ""},
    {"ProductName", "Dotwise Application"},
    {"ProductVersion", "1, 0, 0, 1"},
    {"SpecialBuild", ""},
};

const ResourceTable kResourceSets[] = {
    {MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), kDialogs, kStrings, kIconGroups, "080404b0", kVersion},
    {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), kDialogsEnglish, kStringsEnglish, kIconGroups, "040904b0", kVersionEnglish},
};

}  // namespace

std::span<const ResourceTable> ProgramResourceSets() { return kResourceSets; }
