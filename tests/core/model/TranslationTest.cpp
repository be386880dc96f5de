#include "ModelFixture.h"
#include "model/Translations.h"

#include <QCoreApplication>
#include <cerrno>
#include <clocale>
#include <cstring>

using namespace qb;
using qbtest::ModelTest;
using Paths = std::vector<std::string>;

namespace {

// As a desktop in another language starts the program: LANGUAGE names the language, which
// the C library follows for its own error descriptions once messages are not the C locale's.
class Translated : public ModelTest {
protected:
    void SetUp() override {
        ModelTest::SetUp();
        m_messages = std::setlocale(LC_MESSAGES, nullptr);
    }
    // Setting the locale again also drops the messages the C library has looked up already.
    static void speak(const char* language) {
        ::setenv("LANGUAGE", language, 1);
        std::setlocale(LC_MESSAGES, "C.UTF-8");
    }
    void TearDown() override {
        ::unsetenv("LANGUAGE");
        std::setlocale(LC_MESSAGES, m_messages.c_str());
        ModelTest::TearDown();
    }

private:
    std::string m_messages;
};

} // namespace

TEST_F(Translated, FileOperationTextsAndQtsOwnComeInTheDesktopsLanguage) {
    struct Case {
        const char* language;
        QLocale locale;
        const char* status;
        const char* inside; // the item's name is "a"
        const char* itemPrefix;
        const char* oneItem;
        const char* twoItems;
        const char* qtCancel;
    };
    const Case cases[] = {
        {"de", QLocale(QLocale::German), "Einige Objekte konnten nicht geändert werden",
         "a: Wählen Sie ein Ziel außerhalb des ausgewählten Objekts.", "b: ",
         "Wählen Sie ein Ziel für 1 ausgewähltes Objekt. Vorhandene Objekte werden nicht ersetzt.",
         "Wählen Sie ein Ziel für 2 ausgewählte Objekte. Vorhandene Objekte werden nicht ersetzt.",
         "Abbrechen"},
        {"fr", QLocale(QLocale::French), "Certains éléments n’ont pas pu être modifiés",
         "a\u00A0: Choisissez une destination en dehors de l’élément sélectionné.", "b\u00A0: ",
         "Choisissez une destination pour 1 élément sélectionné. Les éléments existants ne seront "
         "pas remplacés.",
         "Choisissez une destination pour 2 éléments sélectionnés. Les éléments existants ne "
         "seront pas remplacés.",
         "Annuler"},
    };
    tree.file("a/b");
    tree.file("b");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        speak(c.language);
        QObject owner;
        ASSERT_EQ(installTranslations(owner, c.locale, QStringLiteral(QB_TRANSLATIONS_DIR)),
                  c.language);
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), c.qtCancel);

        desktop.folderAnswers = {std::nullopt, std::nullopt};
        m().moveItems(Paths{tree.path("a")}, false);
        m().moveItems(Paths{tree.path("a"), tree.path("b")}, false);
        ASSERT_EQ(desktop.panels.size(), 2u);
        EXPECT_EQ(desktop.panels[0].message, QString(c.oneItem));
        EXPECT_EQ(desktop.panels[1].message, QString(c.twoItems));
        desktop.panels.clear();

        // "a" cannot go into itself; "b" meets an existing a/b, which the system describes.
        desktop.folderAnswers = {tree.path("a")};
        m().moveItems(Paths{tree.path("a"), tree.path("b")}, false);
        waitForFileAction();
        EXPECT_EQ(m().fileActionStatus(), QString(c.status));
        EXPECT_EQ(m().fileActionError(), QString(c.inside) + "\n" + c.itemPrefix +
                                             QString::fromLocal8Bit(std::strerror(EEXIST)));
        desktop.panels.clear();
    }
}
