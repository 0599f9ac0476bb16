#include "LanguageFile.h"

// Filled in by the language file reader's own change.
