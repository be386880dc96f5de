#pragma once
// Puts the program's texts, and Qt's own, into the user's language.

#include <QLocale>
#include <QString>

class QObject;

namespace qb {

// Where the program's translations are: share/quillbrook/translations beside the program's
// bin folder, as both an installation and the build tree lay them out.
QString translationsFolder();

// Installs the program's translation for the first of the locale's languages that has one,
// and Qt's translation of that same language, so that one window never mixes two languages;
// without one, English (the source language) with its plural forms. They stay installed
// while owner lives. Returns the language installed ("de", "en").
QString installTranslations(QObject& owner, const QLocale& locale = QLocale(),
                            const QString& folder = translationsFolder());

} // namespace qb
