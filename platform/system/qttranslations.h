// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

namespace lexalon {

// Installs Qt's own French translations, so that the standard dialogs and
// buttons read "Ouvrir", "Annuler", "Oui", "Non". False when they are not
// installed on this system: the program then runs with Qt's English texts.
bool installQtFrenchTranslations(QCoreApplication &application);

} // namespace lexalon
