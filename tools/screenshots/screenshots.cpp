// Renders the real windows in each layout and state to PNG files, for looking at them next to
// the desktop's own applications. Run under a display (scripts/screenshots.sh uses Xvfb).

#include "app/QuillbrookApp.h"
#include "model/ErrorText.h"
#include "model/JsonPreferencesFile.h"
#include "model/SearchModel.h"
#include "model/Translations.h"
#include "ui/SearchView.h"
#include "ui/desktop/DesktopServices.h"
#include "ui/preview/PreviewWindow.h"
#include "ui/results/ResultArea.h"
#include "ui/results/ResultsView.h"
#include "ui/sheets/FileInfoView.h"
#include "ui/sheets/PatternHelp.h"
#include "ui/sheets/PreferencesView.h"
#include "ui/sheets/RenameMatchesDialog.h"
#include "ui/sheets/SaveSheet.h"
#include "ui/sheets/SkippedSheet.h"
#include "ui/widgets/Symbols.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <sys/stat.h>

namespace {

QString outDir;

void settle(int ms = 150) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// The window as it stands on screen, title bar aside.
void shoot(QWidget* w, const QString& name) {
    settle();
    w->grab().save(outDir + "/" + name + ".png");
    std::printf("%s/%s.png\n", qPrintable(outDir), qPrintable(name));
}

// A window with a popup over it: the popup is its own window, painted onto the shot.
void shootWithPopup(QWidget* w, QWidget* popup, const QString& name) {
    settle();
    QPixmap shot = w->grab();
    QPainter p(&shot);
    p.drawPixmap(w->mapFromGlobal(popup->mapToGlobal(QPoint(0, 0))), popup->grab());
    p.end();
    shot.save(outDir + "/" + name + ".png");
    std::printf("%s/%s.png\n", qPrintable(outDir), qPrintable(name));
}

void writeFile(const QString& path, qint64 size) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.resize(size);
}

QString makeTree(const QString& root) {
    const QString base = root + "/Projects";
    const char* names[] = {"Reports/2023/Report Q1.pdf",     "Reports/2023/Report Q2.pdf",
                           "Reports/2024/Annual Report.pdf", "Reports/2024/Report draft.docx",
                           "Photos/2024/beach.jpg",          "Photos/2024/report-cover.png",
                           "Notes/report ideas.txt",         "Notes/todo.md",
                           "Archive/reports-2022.zip",       "Report template.odt",
                           "Reports/Q3 Report.pdf",          "Reports/budget report.ods"};
    qint64 size = 2300;
    for (const char* n : names) {
        writeFile(base + "/" + n, size);
        size = size * 7 % 9000000 + 512;
    }
    QDir().mkpath(base + "/Reports/Old reports");
    return base;
}

void searchAndWait(qb::SearchModel& m) {
    QEventLoop loop;
    QObject::connect(&m, &qb::SearchModel::searchEnded, &loop, &QEventLoop::quit);
    m.search();
    if (m.running())
        loop.exec();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // In the desktop's language, as the program starts (LANGUAGE=de for German pictures).
    qb::installTranslations(app, QLocale(), QStringLiteral(QB_TRANSLATIONS_DIR));
    // Laid out right to left, as a Hebrew or Arabic desktop would (QB_RIGHT_TO_LEFT=1).
    if (qEnvironmentVariableIntValue("QB_RIGHT_TO_LEFT"))
        QGuiApplication::setLayoutDirection(Qt::RightToLeft);
    qb::setUpIconTheme();
    outDir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(outDir);
    const QString work = QDir::tempPath() + "/qb-screenshots-" + QString::number(getpid());
    QDir(work).removeRecursively();
    const QString tree = makeTree(work);
    qputenv("XDG_DATA_HOME", (work + "/data").toUtf8());

    qb::JsonPreferencesFile store((work + "/preferences.json").toStdString());
    qb::QuillbrookApp quillbrook(store);
    qb::SearchModel& m = quillbrook.model();
    m.setFolder(tree.toStdString());
    qb::MainWindow* w = quillbrook.openSearchWindow();
    settle(300);

    for (const char* mode : {"light", "dark"}) {
        const QString suffix = QString("-") + mode;
        m.setAppearance(QString(mode) == "dark" ? qb::AppearanceMode::dark
                                                : qb::AppearanceMode::light);
        m.setLayout(qb::WindowLayout::focused);
        m.setFolder(tree.toStdString());
        m.setPattern({});
        shoot(w, "01-start" + suffix);

        m.setPattern("(report");
        shoot(w, "02-invalid-pattern" + suffix);

        m.setPattern("report");
        m.setHasSearched(true);
        m.setRunning(true);
        shoot(w, "03-searching" + suffix);
        m.setRunning(false);

        searchAndWait(m);
        auto hits = m.orderedHits();
        if (hits.size() > 2)
            m.setSelection({hits[0]->url, hits[2]->url});
        shoot(w, "04-results" + suffix);

        m.setShowFilters(true);
        m.setFilters({qb::FileKindFilter::pdf});
        shoot(w, "05-filters" + suffix);
        m.setFilters({qb::FileKindFilter::images, qb::FileSizeFilter::large});
        shoot(w, "06-filters-hide-all" + suffix);
        m.setFilters({});
        m.setShowFilters(false);

        m.setPattern("zebra");
        searchAndWait(m);
        shoot(w, "07-no-matches" + suffix);

        m.setPattern("report");
        m.search();
        m.cancel();
        shoot(w, "08-stopped" + suffix);

        m.setFolder((work + "/missing").toStdString());
        searchAndWait(m);
        shoot(w, "09-error" + suffix);
        m.setFolder(tree.toStdString());
        m.setPattern("report");
        searchAndWait(m);
        m.setPattern("report$");
        m.setSkipped(12);
        m.setFileActionStatus(qb::SearchModel::tr("Moving to Trash…"));
        m.setFileActionRunning(true);
        shoot(w, "10-changed-and-status" + suffix);
        m.setFileActionRunning(false);
        m.setFileActionStatus(qb::SearchModel::tr("Done"));
        m.setLastCreatedItems({tree.toStdString() + "/Notes"});
        shoot(w, "11-file-action-done" + suffix);
        m.setFileActionStatus(std::nullopt);
        m.setLastCreatedItems({});

        if (m.savedSearches().empty()) {
            m.setSaveName("Reports");
            m.save();
        }
        m.setLayout(qb::WindowLayout::workspace);
        shoot(w, "12-workspace" + suffix);

        m.setLayout(qb::WindowLayout::compact);
        m.setFolder(tree.toStdString());
        shoot(w, "13-compact-idle" + suffix);
        m.setLayout(qb::WindowLayout::focused);

        m.setShowHelp(true);
        shootWithPopup(w, w->view()->patternHelp(), "14-pattern-reference" + suffix);
        m.setShowHelp(false);

        m.startSaving();
        settle();
        shootWithPopup(w, w->view()->saveSheet(), "15-save-sheet" + suffix);
        m.setShowSave(false);

        m.setFileActionError(qb::ErrorText::failure(
            {qb::FileFailure::Kind::system, tree.toStdString() + "/notes.txt", EACCES}));
        settle();
        if (w->view()->alert())
            shootWithPopup(w, w->view()->alert(), "16-alert" + suffix);
        m.setFileActionError(std::nullopt);

        m.setPattern("report");
        searchAndWait(m);
        auto* view = w->view()->resultArea()->resultsView();
        const auto rows = m.orderedHits();
        m.setSelection({rows[0]->url});
        QMenu* menu = view->itemMenu(view->visualRect(view->model()->index(0, 0)).center());
        menu->popup(view->viewport()->mapToGlobal(QPoint(60, 40)));
        shootWithPopup(w, menu, "18-item-menu" + suffix);
        menu->close();
        delete menu;

        m.setInfoURLs({rows[0]->url, tree.toStdString() + "/Reports"});
        m.setShowInfo(true);
        settle();
        shootWithPopup(w, w->view()->infoSheet(), "19-info-sheet" + suffix);
        m.setShowInfo(false);

        // Renaming the reports by the pattern: "Report" becomes "Summary" in every name.
        std::vector<std::string> reports;
        for (const qb::SearchHit* hit : rows)
            reports.push_back(hit->url);
        auto* rename = qb::openRenameMatches(m, reports, w);
        rename->findChild<QLineEdit*>("renameReplace")->setText("Summary");
        QElapsedTimer planning;
        planning.start();
        while (planning.elapsed() < 1000)
            QApplication::processEvents();
        shootWithPopup(w, rename, "21-rename-matches" + suffix);
        rename->reject();

        // What a search skipped: an unreadable folder, a name the pattern could not finish,
        // an item that went away, and more than the list keeps.
        {
            const std::string root = tree.toStdString();
            auto items =
                std::make_shared<const std::vector<qb::SkippedItem>>(std::vector<qb::SkippedItem>{
                    {root + "/Archive/Private", qb::SkipReason::unreadable, EACCES},
                    {root + "/Reports/" + std::string(48, 'a') + ".log", qb::SkipReason::timedOut,
                     0},
                    {root + "/Notes/draft.tmp", qb::SkipReason::vanished, 0}});
            qb::SearchUpdate update{m.hits(), m.scanned(), 1203, false};
            update.skippedItems = qb::SkippedItems(items, {2, 1200, 1});
            m.apply(update, m.generation());
            auto* skipped = qb::openSkippedSheet(m, w);
            settle();
            shootWithPopup(w, skipped, "22-skipped-items" + suffix);
            skipped->reject();
        }

        for (const char* item : {"/Notes/todo.md", "/Photos/2024/report-cover.png"}) {
            QFile text(tree + item);
            if (QString(item).endsWith(".md") && text.open(QIODevice::WriteOnly)) {
                text.write("# To do\n\n- Send the Q3 report\n- Book the venue\n- Renew the "
                           "domain before March\n");
                text.close();
            } else if (QString(item).endsWith(".png")) {
                QImage image(800, 500, QImage::Format_RGB32);
                QPainter p(&image);
                p.fillRect(image.rect(), QColor(0x35, 0x84, 0xe4));
                p.setPen(Qt::white);
                p.setFont(QFont("DejaVu Sans", 48, QFont::Bold));
                p.drawText(image.rect(), Qt::AlignCenter, "Report 2024");
                p.end();
                image.save(tree + item);
            }
            QEventLoop loop;
            QObject::connect(&quillbrook.desktop().preview(), &qb::PreviewController::shown, &loop,
                             &QEventLoop::quit);
            quillbrook.desktop().preview().show({(tree + item).toStdString()});
            QTimer::singleShot(3000, &loop, &QEventLoop::quit);
            loop.exec();
            shoot(quillbrook.desktop().preview().window(),
                  QString("20-preview-%1").arg(QString(item).endsWith(".md") ? "text" : "image") +
                      suffix);
        }
        quillbrook.desktop().preview().closeWindow();

        quillbrook.openSettings();
        shoot(quillbrook.settingsWindow(), "17-settings" + suffix);
        quillbrook.settingsWindow()->close();
    }
    QDir(work).removeRecursively();
    return 0;
}
