#include "WindowFixture.h"
#include "model/Translations.h"
#include "ui/results/ResultsTableModel.h"
#include "ui/sheets/Alert.h"

#include <QComboBox>
#include <QMenuBar>

using namespace qbtest;

namespace {

// As a German or French desktop starts the program: LANGUAGE names the language and the
// locale writes the numbers. The English translation installed by main() stays underneath.
class InLanguage : public WindowTest {
protected:
    void speak(const char* language, const QLocale& locale) {
        ::setenv("LANGUAGE", language, 1);
        QLocale::setDefault(locale);
        m_translations = std::make_unique<QObject>();
        ASSERT_EQ(
            qb::installTranslations(*m_translations, locale, QStringLiteral(QB_TRANSLATIONS_DIR)),
            language);
    }
    void TearDown() override {
        WindowTest::TearDown();
        m_translations.reset();
        ::unsetenv("LANGUAGE");
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

private:
    std::unique_ptr<QObject> m_translations;
};

QStringList labelTexts(QWidget* widget) {
    QStringList texts;
    for (auto* label : widget->findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

} // namespace

TEST_F(InLanguage, TheWindowSpeaksTheDesktopsLanguageWithItsPluralsAndNumbers) {
    struct Case {
        const char* language;
        QLocale locale;
        QString oneMatch;
        QString twoMatches;
        QString fileMenu;
        QString anyKind;
        QString emptySize;
        QString alertHeading;
        QString alertMessage;
    };
    const Case cases[] = {
        {"de", QLocale(QLocale::German, QLocale::Germany), "1 Treffer · 1 Objekt durchsucht",
         "2 Treffer · 1.204 Objekte durchsucht", "&Datei", "Alle Typen", "0 Byte", "Dateivorgang",
         "a: Wählen Sie ein Ziel außerhalb des ausgewählten Objekts."},
        {"fr", QLocale(QLocale::French, QLocale::France), "1 résultat · 1 élément parcouru",
         "2 résultats · 1\u202F204 éléments parcourus", "&Fichier", "Tous les types", "0 octet",
         "Opération sur les fichiers",
         "a\u00A0: Choisissez une destination en dehors de l’élément sélectionné."},
    };
    tree.file("work/a/b");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language);
        speak(c.language, c.locale);
        window.reset();
        commands.reset();
        model.reset();
        m().assignFolder(tree.path("work"));
        m().setHasSearched(true);

        // A count of one takes the singular; larger counts are grouped as the locale does.
        feed({hit(tree.path("work/a"), true)}, 1);
        EXPECT_EQ(label("statusText"), c.oneMatch);
        feed({hit(tree.path("work/a"), true), hit(tree.path("work/a/b"))}, 1204);
        EXPECT_EQ(label("statusText"), c.twoMatches);

        EXPECT_EQ(w().menuBar()->actions().value(0)->text(), c.fileMenu);
        auto* kinds = w().findChild<QComboBox*>();
        ASSERT_TRUE(kinds);
        EXPECT_EQ(kinds->itemText(0), c.anyKind);
        EXPECT_EQ(qb::sizeText(0), c.emptySize);

        // An item moved into itself: the window's alert in the language, naming the item.
        desktop.folderAnswers = {tree.path("work/a")};
        m().moveItems(std::vector<std::string>{tree.path("work/a")}, false);
        ASSERT_TRUE(QTest::qWaitFor([&] { return w().view()->alert() != nullptr; }, 10000));
        const QStringList texts = labelTexts(w().view()->alert());
        EXPECT_TRUE(texts.contains(c.alertHeading)) << texts.join(u'|').toStdString();
        EXPECT_TRUE(texts.contains(c.alertMessage)) << texts.join(u'|').toStdString();
    }
}
