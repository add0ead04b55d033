#include "common/regional.h"

#include "common/configuration.h"

#include <langinfo.h>
#include <locale.h>

namespace rw {

RegionalSettings& Regional() {
    static RegionalSettings settings{SystemDecimalSeparator(), '.'};
    return settings;
}

void UseScreenSeparator() {
    if (WorkingConfiguration()) Regional().decimalSeparator = '.';
}

void SeparatorAfterSave() { Regional().decimalSeparator = WorkingConfiguration() ? '.' : ','; }

char SystemDecimalSeparator() {
    locale_t loc = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
    if (loc == static_cast<locale_t>(0)) return '.';
    const char* dp = nl_langinfo_l(RADIXCHAR, loc);
    char c = (dp && dp[0] && !dp[1]) ? dp[0] : '.';
    freelocale(loc);
    return c == ',' ? ',' : '.';
}

}  // namespace rw
