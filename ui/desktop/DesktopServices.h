#pragma once
// The desktop side of the model's interfaces: folder panels and name dialogs shown
// window-modally without nested event loops, the clipboard, opening items with their
// default applications through GIO, and revealing items in the file manager over D-Bus.

#include "model/Desktop.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace qb {

class PreviewController;

// A path as its bytes, from the text a Qt file dialog hands back: Qt shows bytes of a name that
// are not UTF-8 as U+FFFD, so such a name is found again among its folder's entries. Where no
// single entry matches, the text's own bytes.
std::string chosenPathBytes(const QString& chosen);

class DesktopServices : public QObject, public Desktop {
    Q_OBJECT
public:
    // window: the search window to attach sheets to, or null; raise: brings it forward,
    // opening one when none is open.
    DesktopServices(std::function<QWidget*()> window, std::function<void()> raise,
                    QObject* parent = nullptr);

    void chooseFolder(const FolderPanel& panel,
                      std::function<void(std::optional<std::string>)> done) override;
    void askName(const NameDialog& dialog,
                 std::function<void(std::optional<QString>)> done) override;
    void setClipboardText(const QString& text) override;
    void openItem(const std::string& path) override;
    void showPreview(const std::vector<std::string>& items) override;
    void raiseApplication() override;
    bool isEditingText() override;
    void undoTextEditing(bool redo) override;
    std::vector<ApplicationEntry> applicationsFor(const std::string& path,
                                                  bool isDirectory) override;
    void openWith(const std::vector<std::string>& paths, const std::string& applicationId,
                  std::function<void(std::optional<QString>)> done) override;
    void chooseApplication(std::function<void(std::optional<std::string>)> done) override;

    // Without a file manager that shows items, opens their folders.
    void revealItems(const std::vector<std::string>& paths) override;
    PreviewController& preview() { return *m_preview; }
    // How a folder is opened when no file manager answers (tests replace it).
    void setFolderOpener(std::function<void(const std::string& uri)> opener) {
        m_openFolder = std::move(opener);
    }

private:
    std::function<QWidget*()> m_window;
    std::function<void()> m_raise;
    std::function<void(const std::string&)> m_openFolder;
    PreviewController* m_preview;
};

// Opens a path or URI with the desktop's default application, without waiting for it.
void openWithDefaultApplication(const std::string& uri);

} // namespace qb
