// The decimal separator of the user's regional settings, the one factor texts are shown and
// read with, on the speed page and in the factor dialog alike.
#pragma once

// The default locale's separator: the desktop's numeric format (LC_ALL, LC_NUMERIC, LANG)
// unless a default locale was set. A point where it is no single ASCII character.
char RegionalDecimalSeparator();
