#pragma once

// The decimal separator of the user's regional settings, as the one character the number
// text of the core takes. A separator that is no single ASCII character gives '.'.
char localeDecimalPoint();
