#include "model/Translations.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // English as the program speaks it, whatever this machine's language.
    qb::installTranslations(app, QLocale(QLocale::English), QStringLiteral(QB_TRANSLATIONS_DIR));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
