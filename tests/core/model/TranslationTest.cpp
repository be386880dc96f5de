#include "ModelFixture.h"
#include "model/ErrorText.h"
#include "model/Translations.h"
#include "search/SearchEngine.h"

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

// The window words the core's failures through tr(); in English it must say exactly what the
// core says (the command-line finder prints the core's words), so the two copies cannot drift.
TEST(EnglishWords, TheWindowsEnglishIsTheCoresWordForWord) {
    using K = FileFailure::Kind;
    std::vector<FileFailure> failures;
    for (K kind : {K::system, K::insideItself, K::changedWhileMoving, K::replaced, K::notEmpty,
                   K::noTrash, K::archiveFailed, K::badName, K::sameName, K::inTrash,
                   K::leftAtTemporary, K::keptNames, K::renameProblem, K::renamePattern}) {
        FileFailure f{kind, "/data/a b.txt", EACCES, "detail"};
        f.names = {"one", "two"};
        f.count = 5;
        f.state = RenameState::exists;
        f.pattern = {PatternError::Kind::badInterval, 4};
        failures.push_back(f);
        f.path.clear(); // a whole operation's failure
        failures.push_back(f);
    }
    FileFailure leftover{K::system, "/data/a", ENOSPC};
    leftover.leftover = "/data/dest/a";
    leftover.leftoverErrnum = EBUSY;
    failures.push_back(leftover);
    for (const FileFailure& f : failures) {
        SCOPED_TRACE(int(f.kind));
        EXPECT_EQ(ErrorText::failure(f).toStdString(), englishText(f));
    }

    for (int k = 0; k <= int(PatternError::Kind::invalidReplacement); ++k) {
        for (int32_t position : {-1, 7}) {
            const PatternError error{PatternError::Kind(k), position};
            EXPECT_EQ(ErrorText::pattern(error).toStdString(), englishText(error)) << k;
        }
    }
    for (int s = 0; s <= int(RenameState::interrupted); ++s)
        EXPECT_EQ(ErrorText::renameState(RenameState(s)).toStdString(), describe(RenameState(s)));
    for (auto kind : {SearchError::Kind::unreadableFolder, SearchError::Kind::cannotEnumerate}) {
        SearchError error;
        error.kind = kind;
        EXPECT_EQ(ErrorText::search(error).toStdString(), SearchEngine::englishText(error));
    }
}
