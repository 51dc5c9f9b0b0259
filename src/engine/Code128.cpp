#include "engine/Code128.h"

#include <array>
#include <string>

#include "engine/MarrowbyError.h"

namespace marrowby {

namespace {

constexpr size_t kDigitCount = 24;
constexpr int kStartC = 105;
constexpr int kStop = 106;

// Bar, space, bar, space, bar, space widths in modules of the codewords 0 to 106, from
// the symbol character table of ISO/IEC 15417; the stop has a seventh element, its
// termination bar.
constexpr std::array<std::string_view, 107> kPatterns = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312",  "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122",  "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122",  "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123",  "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331",  "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311",  "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411",  "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412",  "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",  "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211",  "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113",  "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232", "2331112",
};

void RequireTwentyFourDigits(std::string_view digits) {
    bool allDigits = true;
    for (const char c : digits) allDigits = allDigits && c >= '0' && c <= '9';
    if (digits.size() != kDigitCount || !allDigits) {
        throw MarrowbyError("'" + std::string(digits) +
                            "' cannot be a tray label barcode: it must be exactly 24 digits");
    }
}

}  // namespace

std::vector<int> Code128Codewords(std::string_view digits) {
    RequireTwentyFourDigits(digits);
    std::vector<int> codewords{kStartC};
    int weightedSum = kStartC;
    for (size_t i = 0; i < kDigitCount; i += 2) {
        const int pair = (digits[i] - '0') * 10 + (digits[i + 1] - '0');
        weightedSum += static_cast<int>(codewords.size()) * pair;
        codewords.push_back(pair);
    }
    codewords.push_back(weightedSum % 103);
    codewords.push_back(kStop);
    return codewords;
}

std::vector<int> Code128Widths(std::string_view digits) {
    std::vector<int> widths;
    for (const int codeword : Code128Codewords(digits)) {
        for (const char width : kPatterns[codeword]) widths.push_back(width - '0');
    }
    return widths;
}

}  // namespace marrowby
