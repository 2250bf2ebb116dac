// Icon group 128: a display whose diagonal is being measured.
#include "IconImages.h"

const char* const kMainIcon32[32] = {
    "................................", "................................", ".000000000000000000000000000000.", ".077777777777777777777777777770.",
    ".078888888888888888888888888870.", ".078444444444444444444444444870.", ".0784cccccccccccccccccccccbe870.", ".0784cccccccccccccccccccffe4870.",
    ".0784cccccccccccccccccffecc4870.", ".0784cccccccccccccccffecccc4870.", ".0784ccccccccccccccfecccccc4870.", ".0784ccccccccccccffeccccccc4870.",
    ".0784ccccccccccffeccccccccc4870.", ".0784ccccccccffeccccccccccc4870.", ".0784cccccccfeccccccccccccc4870.", ".0784cccccffecccccccccccccc4870.",
    ".0784cccffecccccccccccccccc4870.", ".0784cffecccccccccccccccccc4870.", ".0784becccccccccccccccccccc4870.", ".078444444444444444444444444870.",
    ".0788888888888888888888888a8870.", ".077777777777777777777777777770.", ".000000000000000000000000000000.", "............88888888............",
    "............88888888............", ".......000000000000000000.......", ".......077777777777777770.......", ".......000000000000000000.......",
    "................................", "................................", "................................", "................................",
};

const char* const kMainIcon16[16] = {
    "................", "0777777777777770", "0844444444444480", "08cccccccccccb80", "08cccccccccffc80", "08cccccccffccc80",
    "08cccccffccccc80", "08cccffccccccc80", "08cffccccccccc80", "08bccccccccccc80", "0888888888888a80", "0000008888000000",
    "...0000000000...", "...0777777770...", "................", "................",
};
