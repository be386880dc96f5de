#include "WindowFixture.h"
#include "app/QuillbrookApp.h"
#include "ui/Commands.h"
#include "ui/FileActionMenu.h"
#include "ui/desktop/DesktopServices.h"
#include "ui/preview/PreviewLoader.h"
#include "ui/preview/PreviewWindow.h"
#include "ui/sheets/FileInfoView.h"
#include "ui/widgets/ElidedLabel.h"

#include <QAction>
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProcess>
#include <future>
#include <map>
#include <sys/stat.h>

using namespace qbtest;

namespace {

QStringList shownTitles(const qb::FileActionMenu& menu) {
    QMenu m;
    menu.addTo(&m);
    QStringList titles;
    for (QAction* a : m.actions())
        if (a->isVisible() && !a->isSeparator())
            titles << a->text();
    return titles;
}

} // namespace

TEST_F(WindowTest, FileActionTitlesFollowTheItems) {
    std::vector<std::string> items;
    qb::FileActionMenu menu(
        m(), [&] { return items; }, nullptr);
    EXPECT_EQ(shownTitles(menu), QStringList({"New Folder…"}));
    items = {"/d/notes.txt"};
    menu.refresh();
    EXPECT_EQ(shownTitles(menu), QStringList({"New Folder with Selection (1 Item)…", "Move to…",
                                              "Copy to…", "Duplicate", "Rename…", "Rename Matches…",
                                              "Compress “notes.txt”", "Move to Trash"}));
    items = {"/d/a", "/d/b"};
    menu.refresh();
    EXPECT_EQ(shownTitles(menu),
              QStringList({"New Folder with Selection (2 Items)…", "Move to…", "Copy to…",
                           "Duplicate", "Rename Matches…", "Compress 2 Items", "Move to Trash"}));
    m().setFileActionRunning(true);
    menu.refresh();
    for (QAction* a : {menu.newFolder, menu.moveTo, menu.copyTo, menu.duplicate, menu.rename,
                       menu.renameMatches, menu.compress, menu.trash})
        EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    m().setFileActionRunning(false);
    m().setEditingPattern(true);
    menu.refresh();
    EXPECT_FALSE(menu.duplicate->isEnabled());
    EXPECT_FALSE(menu.trash->isEnabled());
    EXPECT_TRUE(menu.moveTo->isEnabled());
}

TEST_F(WindowTest, EveryKeyReachesOneCommandAndTooltipsShowTheActionsOwn) {
    w();
    std::map<QString, QString> owner;
    for (QAction* a : commands->findChildren<QAction*>())
        for (const QKeySequence& key : a->shortcuts()) {
            auto [it, fresh] = owner.emplace(key.toString(), a->text());
            EXPECT_TRUE(fresh) << key.toString().toStdString() << " is both "
                               << it->second.toStdString() << " and " << a->text().toStdString();
        }
    EXPECT_FALSE(commands->undo->shortcuts().isEmpty());
    EXPECT_FALSE(commands->redo->shortcuts().isEmpty());
    for (QAction* a : {commands->quickLook, commands->reveal})
        EXPECT_EQ(a->toolTip(),
                  a->text() + " (" + a->shortcut().toString(QKeySequence::NativeText) + ")");
}

TEST_F(WindowTest, OpenWithListsTheFirstItemsApplicationsAndOpensEveryItem) {
    desktop.applications[".txt"] = {{"org.example.Editor.desktop", "Editor", {}},
                                    {"org.example.Pager.desktop", "Pager", {}}};
    desktop.applications[".png"] = {{"org.example.Viewer.desktop", "Viewer", {}}};
    const std::vector<std::string> items{"/d/notes.txt", "/d/photo.png"};
    std::unique_ptr<QMenu> menu(qb::makeOpenWithMenu(
        m(), [&] { return items; }, nullptr));
    Q_EMIT menu->aboutToShow();
    QStringList titles;
    for (QAction* a : menu->actions())
        if (!a->isSeparator())
            titles << a->text();
    EXPECT_EQ(titles, QStringList({"Editor", "Pager", "Other…"}));
    menu->actions().first()->trigger();
    ASSERT_EQ(desktop.openedWith.size(), 1u);
    EXPECT_EQ(desktop.openedWith[0].paths, items);
    EXPECT_EQ(desktop.openedWith[0].application, "org.example.Editor.desktop");

    desktop.openWithError = QString("Failed to execute child process “editor”");
    desktop.applicationAnswers.push_back("org.example.Other.desktop");
    menu->actions().last()->trigger(); // Other…
    ASSERT_EQ(desktop.openedWith.size(), 2u);
    EXPECT_EQ(desktop.openedWith[1].application, "org.example.Other.desktop");
    EXPECT_EQ(m().fileActionError(), desktop.openWithError);
}

namespace {

// The value of a fact line of the sheet's first section, or nothing when the line is left out.
std::optional<QString> fact(const qb::FileInfoView& sheet, const char* line) {
    auto* value = sheet.findChild<QLabel*>(line);
    if (!value || !value->isVisibleTo(value->parentWidget()))
        return std::nullopt;
    return value->text();
}

} // namespace

TEST_F(WindowTest, TheInfoSheetReadsEachItemOffTheWindowWhenItLaysItOut) {
    const std::string folder = tree.dir("Reports");
    const std::string file = tree.file("notes.txt", "hello");
    m().setInfoURLs({folder});
    m().setShowInfo(true);
    auto* sheet = w().view()->infoSheet();
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->title(), "Get Info");
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheet->factsShown(0); }));
    EXPECT_EQ(fact(*sheet, "Size"), "Folder (contents not counted)");
    // The name can be selected and copied from the keyboard.
    auto* name = sheet->findChild<qb::ElidedLabel*>();
    ASSERT_TRUE(name);
    EXPECT_EQ(name->text(), "Reports");
    name->setFocus();
    QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(name, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "Reports");
    sheet->reject();
    EXPECT_FALSE(m().showInfo());

    qb::FileInfoView three(
        {folder, file, tree.file("b.txt")}, [](auto&) {}, nullptr);
    EXPECT_EQ(three.title(), "Info for 3 Items");
    qb::FileInfoView one(
        {file}, [](auto&) {}, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return one.factsShown(0); }));
    EXPECT_FALSE(fact(one, "Kind").value_or("").isEmpty());
    EXPECT_EQ(fact(one, "Size"), "5 bytes");
    EXPECT_TRUE(fact(one, "Modified"));
    ::unlink(file.c_str());
    one.relayout();
    EXPECT_FALSE(one.factsShown(0)) << "read again, off the GUI thread";
    ASSERT_TRUE(QTest::qWaitFor([&] { return one.factsShown(0); }));
    EXPECT_EQ(fact(one, "Kind"), "Unavailable");
    EXPECT_FALSE(fact(one, "Modified"));
    EXPECT_FALSE(fact(one, "Created"));
}

TEST(Preview, SpecialDamagedAndEmptyFilesGetFactsOrAMessage) {
    TempTree tree;
    const std::string fifo = tree.path("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // Opening a FIFO for reading would wait for a writer: the preview must not.
    auto pending = std::async(std::launch::async, [&] {
        return qb::loadPreview(fifo, {400, 300});
    });
    ASSERT_EQ(pending.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    auto content = pending.get();
    EXPECT_EQ(content.kind, qb::PreviewContent::Kind::facts);
    EXPECT_TRUE(content.message.isEmpty());

    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::red);
    const std::string png = tree.path("whole.png");
    ASSERT_TRUE(image.save(QString::fromStdString(png)));
    auto whole = qb::loadPreview(png, {32, 32});
    EXPECT_EQ(whole.kind, qb::PreviewContent::Kind::image);
    EXPECT_LE(whole.image.width(), 32); // scaled while decoding
    std::string bytes = TempTree::read(png);
    const std::string truncated = tree.file("cut.png", bytes.substr(0, bytes.size() / 3));
    EXPECT_EQ(qb::loadPreview(truncated, {400, 300}).message, "This image can’t be shown.");
    EXPECT_EQ(qb::loadPreview(tree.file("empty.txt", ""), {400, 300}).message,
              "This file is empty.");
    EXPECT_EQ(qb::loadPreview(tree.path("gone.txt"), {400, 300}).message,
              "This item is no longer available.");

    // Text is decoded with replacement and read only up to the limit.
    std::string big(size_t(qb::kPreviewTextLimit) * 2, 'a');
    big[3] = '\xff';
    auto text = qb::loadPreview(tree.file("big.txt", big), {400, 300});
    EXPECT_EQ(text.kind, qb::PreviewContent::Kind::text);
    EXPECT_TRUE(text.truncated);
    EXPECT_EQ(text.text.size(), qb::kPreviewTextLimit);
    EXPECT_EQ(text.text[3], QChar(0xFFFD));

    // A PDF shows its first pages, each as wide as asked, and says how many it has.
    for (int count : {3, qb::kPreviewPageLimit + 2}) {
        SCOPED_TRACE(count);
        // Its name is not UTF-8: it is read from the descriptor, never reopened by a name.
        const std::string written = tree.path("pages.pdf");
        const std::string pdf = tree.path("pages-" + std::to_string(count) + "-\xE9.pdf");
        {
            QPdfWriter writer(QString::fromStdString(written));
            QPainter painter(&writer);
            for (int page = 0; page < count; ++page) {
                if (page)
                    writer.newPage();
                painter.drawText(100, 100, QString::number(page + 1));
            }
        }
        ASSERT_EQ(::rename(written.c_str(), pdf.c_str()), 0);
        auto pages = qb::loadPreview(pdf, {400, 300}, nullptr, 250);
        EXPECT_EQ(pages.kind, qb::PreviewContent::Kind::pages);
        EXPECT_EQ(pages.pageCount, count);
        ASSERT_EQ(int(pages.pages.size()), std::min(count, qb::kPreviewPageLimit));
        EXPECT_EQ(pages.pages.back().width(), 250);
    }
}

TEST(Preview, TheWindowKeepsItsKeysAfterAClickInTheText) {
    TempTree tree;
    qb::PreviewController preview;
    QSignalSpy shown(&preview, &qb::PreviewController::shown);
    preview.show({tree.file("a.txt", "first"), tree.file("b.txt", "second")});
    ASSERT_TRUE(shown.wait(10000));
    auto* text = preview.window()->findChild<QPlainTextEdit*>();
    ASSERT_TRUE(text && text->isVisible());
    QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, {20, 20});
    ASSERT_TRUE(QTest::qWaitFor([&] { return text->hasFocus(); }));
    QTest::keyClick(text, Qt::Key_Right);
    EXPECT_EQ(preview.index(), 1);
    ASSERT_TRUE(shown.wait(10000));
    QPointer<QWidget> window = preview.window();
    QTest::keyClick(window->focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window || !window->isVisible(); }));
}

// A file manager on a private session bus, answering ShowItems.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
public:
    QStringList shown;
public Q_SLOTS:
    void ShowItems(const QStringList& uris, const QString&) { shown = uris; }
};

TEST(Reveal, ShowItemsReachesTheFileManagerOrFallsBackToTheFolder) {
    // Each test runs in its own process, so this bus is the session bus from here on.
    QProcess daemon;
    daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    ASSERT_TRUE(daemon.waitForStarted(10000));
    ASSERT_TRUE(daemon.waitForReadyRead(10000));
    const QByteArray address = daemon.readLine().trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address);

    std::vector<std::string> opened;
    qb::DesktopServices services([] { return nullptr; }, [] {});
    services.setFolderOpener([&](const std::string& uri) { opened.push_back(uri); });
    services.revealItems({"/srv/a b/x.txt"});
    QTRY_COMPARE(opened.size(), size_t(1)); // nobody answers: the folder opens instead
    EXPECT_EQ(opened[0], "file:///srv/a%20b");

    FakeFileManager manager;
    QDBusConnection fake = QDBusConnection::connectToBus(QString::fromLatin1(address), "fake");
    ASSERT_TRUE(fake.registerObject("/org/freedesktop/FileManager1", &manager,
                                    QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(fake.registerService("org.freedesktop.FileManager1"));
    services.revealItems({"/srv/caf\xE9.txt", "/srv/b#1.txt"});
    QTRY_COMPARE(manager.shown.size(), 2);
    EXPECT_EQ(manager.shown, QStringList({"file:///srv/caf%E9.txt", "file:///srv/b%231.txt"}));
    EXPECT_EQ(opened.size(), 1u);
    QDBusConnection::disconnectFromBus("fake");
    daemon.kill();
    daemon.waitForFinished();
}

#include "ItemMenusTest.moc"
