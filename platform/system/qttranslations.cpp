// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/system/qttranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace Qt::StringLiterals;

namespace lexalon {

bool installQtFrenchTranslations(QCoreApplication &application)
{
    auto *translator = new QTranslator(&application);
    const bool loaded = translator->load(QLocale(QLocale::French, QLocale::France), u"qtbase"_s,
                                         u"_"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!loaded || !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

} // namespace lexalon
