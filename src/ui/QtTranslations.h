#pragma once
// Qt's own texts (standard buttons of message boxes, the file dialogs) in the
// program's language.

#include "project/Language.h"

namespace penumbro::ui {

// Installs Qt's translations for the language on the running application, replacing
// any installed before; English needs none. False when the translation files are
// missing (Qt's English texts remain).
bool installQtTranslations(Language language);

}  // namespace penumbro::ui
