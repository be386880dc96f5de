#pragma once
// What the search model needs from the desktop, as small interfaces the window code
// implements and tests replace with fakes that record calls.

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace qb {

// A folder-choosing panel: folders only, one selection.
struct FolderPanel {
    std::string startFolder;
    QString prompt; // the confirm button
    QString message;
    bool canCreateFolders = false;
};

// A small dialog with a one-line text field.
struct NameDialog {
    QString message;
    QString informativeText;
    QString confirmButton; // the default button; the other one is "Cancel"
    QString prefilledText;
};

// An application that can open items, as the desktop lists it.
struct ApplicationEntry {
    std::string id;   // the desktop file id, such as "org.gnome.TextEditor.desktop"
    QString name;     // the display name
    QString iconName; // a theme icon name, or empty
    bool operator==(const ApplicationEntry&) const = default;
};

class Desktop {
public:
    virtual ~Desktop() = default;
    // Shown as a sheet on the window when there is one; done runs later, on the GUI thread,
    // with the chosen folder or nothing when cancelled.
    virtual void chooseFolder(const FolderPanel& panel,
                              std::function<void(std::optional<std::string>)> done) = 0;
    virtual void askName(const NameDialog& dialog,
                         std::function<void(std::optional<QString>)> done) = 0;
    virtual void setClipboardText(const QString& text) = 0;
    virtual void openItem(const std::string& path) = 0;
    virtual void showPreview(const std::vector<std::string>& items) = 0;
    // Shows the items selected in the file manager.
    virtual void revealItems(const std::vector<std::string>& paths) = 0;
    virtual void raiseApplication() = 0;
    // Whether a text field has keyboard focus, and sending undo or redo to it.
    virtual bool isEditingText() = 0;
    virtual void undoTextEditing(bool redo) = 0;
    // The applications that can open an item, in the order a file manager lists them. The
    // item's type comes from its name and the folder flag, never from the file system.
    virtual std::vector<ApplicationEntry> applicationsFor(const std::string& path,
                                                          bool isDirectory) = 0;
    // Opens the items together with one application; done runs later on the GUI thread with
    // the desktop's error text, or nothing when it started.
    virtual void openWith(const std::vector<std::string>& paths, const std::string& applicationId,
                          std::function<void(std::optional<QString>)> done) = 0;
    // Lets the user pick any installed application; done gets its id, or nothing.
    virtual void chooseApplication(std::function<void(std::optional<std::string>)> done) = 0;
};

// The window that shows the search model; held weakly.
class SearchWindow {
public:
    virtual ~SearchWindow() = default;
    virtual void setContentSizes(int minWidth, int minHeight, int width, int height) = 0;
    virtual void closeWindow() = 0;
    virtual void activate() = 0;
};

} // namespace qb
