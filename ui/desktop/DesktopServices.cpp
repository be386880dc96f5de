#include "ui/desktop/DesktopServices.h"

#include "model/OffThread.h"
#include "search/PathText.h"
#include "ui/desktop/Applications.h"
#include "ui/desktop/LaunchContext.h"
#include "ui/preview/PreviewWindow.h"
#include "ui/sheets/ApplicationChooser.h"
#include "ui/widgets/ShownText.h"

#include <QApplication>
#include <QClipboard>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QTimer>
#include <dirent.h>
#include <gio/gio.h>
#include <set>
#include <sys/stat.h>

namespace qb {
namespace {

// The text widget that has the keyboard, if it can be edited.
QWidget* editableFocus() {
    QWidget* w = QApplication::focusWidget();
    if (auto* line = qobject_cast<QLineEdit*>(w); line && !line->isReadOnly())
        return line;
    if (auto* text = qobject_cast<QTextEdit*>(w); text && !text->isReadOnly())
        return text;
    if (auto* plain = qobject_cast<QPlainTextEdit*>(w); plain && !plain->isReadOnly())
        return plain;
    return nullptr;
}

void launched(GObject*, GAsyncResult* result, gpointer) {
    // Opening reports nothing on failure; the error is only collected.
    GError* error = nullptr;
    g_app_info_launch_default_for_uri_finish(result, &error);
    g_clear_error(&error);
}

} // namespace

std::string chosenPathBytes(const QString& chosen) {
    const std::string asText = QFile::encodeName(chosen).toStdString();
    struct stat st {};
    if (!chosen.contains(QChar::ReplacementCharacter) || ::lstat(asText.c_str(), &st) == 0)
        return asText;
    std::string resolved;
    for (const QString& part : chosen.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        std::string name = QFile::encodeName(part).toStdString();
        if (part.contains(QChar::ReplacementCharacter)) {
            // The entry that Qt decodes to this text; two would leave the path unknown.
            DIR* dir = ::opendir(resolved.empty() ? "/" : resolved.c_str());
            if (!dir)
                return asText;
            int matches = 0;
            while (const dirent* entry = ::readdir(dir)) {
                if (QFile::decodeName(entry->d_name) == part) {
                    name = entry->d_name;
                    ++matches;
                }
            }
            ::closedir(dir);
            if (matches != 1)
                return asText;
        }
        resolved += '/' + name;
    }
    return resolved.empty() ? "/" : resolved;
}

void openWithDefaultApplication(const std::string& uri) {
    withLaunchContext([uri](GAppLaunchContext* context) {
        g_app_info_launch_default_for_uri_async(uri.c_str(), context, nullptr, launched, nullptr);
    });
}

DesktopServices::DesktopServices(std::function<QWidget*()> window, std::function<void()> raise,
                                 QObject* parent)
    : QObject(parent), m_window(std::move(window)), m_raise(std::move(raise)),
      m_openFolder(openWithDefaultApplication), m_preview(new PreviewController(this)) {
    // Once the window is up, so the reading does not compete with starting.
    QTimer::singleShot(1500, this, [] { readApplicationsAhead(); });
}

void DesktopServices::chooseFolder(const FolderPanel& panel,
                                   std::function<void(std::optional<std::string>)> done) {
    auto* dialog = new QFileDialog(m_window(), panel.message,
                                   QFile::decodeName(QByteArray::fromStdString(panel.startFolder)));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly, true);
    dialog->setOption(QFileDialog::ReadOnly, !panel.canCreateFolders);
    dialog->setLabelText(QFileDialog::Accept, panel.prompt);
    dialog->setWindowModality(dialog->parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
    auto answered = std::make_shared<bool>(false);
    connect(dialog, &QFileDialog::fileSelected, this, [this, done, answered](const QString& file) {
        *answered = true;
        if (!file.contains(QChar::ReplacementCharacter)) {
            done(QFile::encodeName(file).toStdString());
            return;
        }
        // A name that is not UTF-8 is looked up by listing its folder: off this thread.
        runOffThread(
            this, [file] { return chosenPathBytes(file); },
            [done](const std::string& path) { done(path); });
    });
    connect(dialog, &QDialog::finished, this, [done, answered](int) {
        if (!*answered)
            done(std::nullopt);
    });
    dialog->open();
}

void DesktopServices::askName(const NameDialog& request,
                              std::function<void(std::optional<QString>)> done) {
    auto* dialog = new QInputDialog(m_window());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(windowTitleText(request.message));
    // Names are shown as they are, never as markup: the label is made plain before it holds
    // one.
    dialog->setLabelText(QString());
    for (auto* label : dialog->findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
    dialog->setLabelText(request.informativeText.isEmpty()
                             ? request.message
                             : request.message + QStringLiteral("\n\n") + request.informativeText);
    dialog->setTextValue(request.prefilledText);
    dialog->setOkButtonText(request.confirmButton);
    dialog->setCancelButtonText(tr("Cancel"));
    dialog->setWindowModality(dialog->parentWidget() ? Qt::WindowModal : Qt::ApplicationModal);
    // The dialog's layout fixes its own width: the field asks for the room.
    if (auto* field = dialog->findChild<QLineEdit*>())
        field->setMinimumWidth(380);
    auto answered = std::make_shared<bool>(false);
    connect(dialog, &QInputDialog::textValueSelected, this, [done, answered](const QString& text) {
        *answered = true;
        done(text);
    });
    connect(dialog, &QDialog::finished, this, [done, answered](int) {
        if (!*answered)
            done(std::nullopt);
    });
    dialog->open();
    // A rename proposes the name without its extension, as file managers do.
    if (auto* field = dialog->findChild<QLineEdit*>()) {
        const int dot = request.prefilledText.lastIndexOf(QLatin1Char('.'));
        if (dot > 0)
            field->setSelection(0, dot);
        else
            field->selectAll();
    }
}

void DesktopServices::setClipboardText(const QString& text) {
    QApplication::clipboard()->setText(text);
}

void DesktopServices::openItem(const std::string& path) {
    openWithDefaultApplication(fileUrlFromPath(path));
}

void DesktopServices::showPreview(const std::vector<std::string>& items) {
    m_preview->show(items, m_window());
}

void DesktopServices::raiseApplication() {
    m_raise();
}

bool DesktopServices::isEditingText() {
    return editableFocus() != nullptr;
}

void DesktopServices::undoTextEditing(bool redo) {
    QWidget* w = editableFocus();
    if (auto* line = qobject_cast<QLineEdit*>(w))
        redo ? line->redo() : line->undo();
    else if (auto* text = qobject_cast<QTextEdit*>(w))
        redo ? text->redo() : text->undo();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(w))
        redo ? plain->redo() : plain->undo();
}

void DesktopServices::revealItems(const std::vector<std::string>& paths) {
    if (paths.empty())
        return;
    QStringList uris;
    std::set<std::string> folders;
    for (const auto& path : paths) {
        uris << QString::fromStdString(fileUrlFromPath(path));
        folders.insert(std::string(parentOf(path)));
    }
    withStartupId(
        QStringLiteral("file_manager"),
        [this, uris, folders, guard = QPointer<DesktopServices>(this)](const QString& startupId) {
            if (!guard)
                return;
            QDBusMessage call = QDBusMessage::createMethodCall(
                QStringLiteral("org.freedesktop.FileManager1"),
                QStringLiteral("/org/freedesktop/FileManager1"),
                QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
            call << uris << startupId;
            auto* watcher = new QDBusPendingCallWatcher(
                QDBusConnection::sessionBus().asyncCall(call, 5000), this);
            connect(watcher, &QDBusPendingCallWatcher::finished, this,
                    [this, folders](QDBusPendingCallWatcher* w) {
                        w->deleteLater();
                        if (!w->isError())
                            return;
                        // No file manager answers: show the containing folders instead.
                        for (const auto& folder : folders)
                            m_openFolder(fileUrlFromPath(folder));
                    });
        });
}

} // namespace qb

namespace qb {

std::vector<ApplicationEntry> DesktopServices::applicationsFor(const std::string& path,
                                                               bool isDirectory) {
    return applicationsForPath(path, isDirectory);
}

void DesktopServices::openWith(const std::vector<std::string>& paths,
                               const std::string& applicationId,
                               std::function<void(std::optional<QString>)> done) {
    launchApplication(applicationId, paths, std::move(done));
}

void DesktopServices::chooseApplication(std::function<void(std::optional<std::string>)> done) {
    QWidget* window = m_window();
    if (!window)
        return; // the chooser is a sheet on the window; without one there is nothing to show
    auto* chooser = new ApplicationChooser(allApplications(), window);
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    auto answered = std::make_shared<bool>(false);
    connect(chooser, &ApplicationChooser::chosen, this, [done, answered](const std::string& id) {
        *answered = true;
        done(id);
    });
    connect(chooser, &QDialog::finished, this, [done, answered](int) {
        if (!*answered)
            done(std::nullopt);
    });
    chooser->open();
}

} // namespace qb
