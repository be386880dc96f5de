#include "Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace qb {

QString translationsFolder() {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("../share/quillbrook/translations"));
}

QString installTranslations(QObject& owner, const QLocale& locale, const QString& folder) {
    const QString name = QStringLiteral("quillbrook");
    auto* own = new QTranslator(&owner);
    // The source texts are English; its file holds only their singular forms.
    if (!own->load(locale, name, QStringLiteral("_"), folder) &&
        !own->load(name + QStringLiteral("_en"), folder)) {
        delete own;
        return QStringLiteral("en");
    }
    QCoreApplication::installTranslator(own);
    const QLocale language(own->language());
    auto* qt = new QTranslator(&owner);
    if (qt->load(language, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return QLocale::languageToCode(language.language());
}

} // namespace qb
