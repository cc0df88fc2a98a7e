#include "version_table.h"

#include "qr_error.h"

#include <array>

namespace qvbarqr {

namespace {

struct VersionRow {
    int total;
    std::array<int, kLevelCount> data;   // L, M, Q, H
    std::array<int, kLevelCount> blocks; // L, M, Q, H
};

// Model 2: total and data codewords of ISO/IEC 18004 Table 7, blocks of Table 9.
constexpr std::array<VersionRow, kMaxVersion> kModel2 = {{
    {26, {19, 16, 13, 9}, {1, 1, 1, 1}},
    {44, {34, 28, 22, 16}, {1, 1, 1, 1}},
    {70, {55, 44, 34, 26}, {1, 1, 2, 2}},
    {100, {80, 64, 48, 36}, {1, 2, 2, 4}},
    {134, {108, 86, 62, 46}, {1, 2, 4, 4}},
    {172, {136, 108, 76, 60}, {2, 4, 4, 4}},
    {196, {156, 124, 88, 66}, {2, 4, 6, 5}},
    {242, {194, 154, 110, 86}, {2, 4, 6, 6}},
    {292, {232, 182, 132, 100}, {2, 5, 8, 8}},
    {346, {274, 216, 154, 122}, {4, 5, 8, 8}},
    {404, {324, 254, 180, 140}, {4, 5, 8, 11}},
    {466, {370, 290, 206, 158}, {4, 8, 10, 11}},
    {532, {428, 334, 244, 180}, {4, 9, 12, 16}},
    {581, {461, 365, 261, 197}, {4, 9, 16, 16}},
    {655, {523, 415, 295, 223}, {6, 10, 12, 18}},
    {733, {589, 453, 325, 253}, {6, 10, 17, 16}},
    {815, {647, 507, 367, 283}, {6, 11, 16, 19}},
    {901, {721, 563, 397, 313}, {6, 13, 18, 21}},
    {991, {795, 627, 445, 341}, {7, 14, 21, 25}},
    {1085, {861, 669, 485, 385}, {8, 16, 20, 25}},
    {1156, {932, 714, 512, 406}, {8, 17, 23, 25}},
    {1258, {1006, 782, 568, 442}, {9, 17, 23, 34}},
    {1364, {1094, 860, 614, 464}, {9, 18, 25, 30}},
    {1474, {1174, 914, 664, 514}, {10, 20, 27, 32}},
    {1588, {1276, 1000, 718, 538}, {12, 21, 29, 35}},
    {1706, {1370, 1062, 754, 596}, {12, 23, 34, 37}},
    {1828, {1468, 1128, 808, 628}, {12, 25, 34, 40}},
    {1921, {1531, 1193, 871, 661}, {13, 26, 35, 42}},
    {2051, {1631, 1267, 911, 701}, {14, 28, 38, 45}},
    {2185, {1735, 1373, 985, 745}, {15, 29, 40, 48}},
    {2323, {1843, 1455, 1033, 793}, {16, 31, 43, 51}},
    {2465, {1955, 1541, 1115, 845}, {17, 33, 45, 54}},
    {2611, {2071, 1631, 1171, 901}, {18, 35, 48, 57}},
    {2761, {2191, 1725, 1231, 961}, {19, 37, 51, 60}},
    {2876, {2306, 1812, 1286, 986}, {19, 38, 53, 63}},
    {3034, {2434, 1914, 1354, 1054}, {20, 40, 56, 66}},
    {3196, {2566, 1992, 1426, 1096}, {21, 43, 59, 70}},
    {3362, {2702, 2102, 1502, 1142}, {22, 45, 62, 74}},
    {3532, {2812, 2216, 1582, 1222}, {24, 47, 65, 77}},
    {3706, {2956, 2334, 1666, 1276}, {25, 49, 68, 81}},
}};

// Model 1, versions 1 to 14. The data column is one less than the data
// codewords the symbol actually carries (see dataCapacity).
constexpr std::array<VersionRow, kMaxModel1Version> kModel1 = {{
    {26, {18, 15, 12, 8}, {1, 1, 1, 1}},
    {46, {35, 29, 23, 15}, {1, 1, 1, 1}},
    {72, {56, 43, 35, 23}, {1, 1, 1, 1}},
    {100, {79, 59, 49, 33}, {1, 1, 1, 1}},
    {134, {107, 81, 67, 45}, {1, 1, 1, 2}},
    {170, {135, 105, 85, 57}, {1, 2, 2, 2}},
    {212, {169, 131, 107, 71}, {1, 2, 2, 3}},
    {256, {207, 159, 127, 86}, {2, 2, 2, 3}},
    {306, {245, 185, 155, 101}, {2, 2, 3, 3}},
    {358, {289, 221, 182, 123}, {2, 2, 3, 4}},
    {416, {335, 255, 207, 144}, {2, 4, 4, 5}},
    {476, {383, 291, 243, 164}, {2, 4, 4, 5}},
    {542, {431, 331, 275, 191}, {3, 4, 4, 6}},
    {610, {488, 367, 309, 209}, {3, 4, 5, 6}},
}};

// Count-indicator widths for versions 1-9, 10-26 and 27-40, per mode.
constexpr int kCountBits[3][4] = {{10, 9, 8, 8}, {12, 11, 16, 10}, {14, 13, 16, 12}};

} // namespace

int maxVersion(Model model) {
    return model == Model::One ? kMaxModel1Version : kMaxVersion;
}

Capacity capacity(Model model, int version, int level) {
    if (version < 1 || version > maxVersion(model) || level < 0 || level >= kLevelCount) {
        throw CQRErr(1);
    }
    const VersionRow& row = model == Model::One ? kModel1[version - 1] : kModel2[version - 1];
    return {row.total, row.data[level], row.blocks[level]};
}

int dataCapacity(Model model, int version, int level) {
    const int data = capacity(model, version, level).data;
    return model == Model::One ? data + 1 : data;
}

int countIndicatorBits(Mode mode, int version) {
    const int range = version <= 9 ? 0 : version <= 26 ? 1 : 2;
    return kCountBits[range][static_cast<int>(mode)];
}

} // namespace qvbarqr
