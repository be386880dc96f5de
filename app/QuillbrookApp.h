#pragma once
// The application: its one search model for the whole run, the search window and the
// settings window on it, the menu commands, the appearance, and the launch URLs that reach
// it from the command line and from later starts.

#include "ui/MainWindow.h"
#include "ui/sheets/PreferencesView.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace qb {

class AppearanceController;
class Commands;
class DesktopServices;
class PreferencesStore;
class SearchModel;

class QuillbrookApp : public QObject {
    Q_OBJECT
public:
    explicit QuillbrookApp(PreferencesStore& store, QObject* parent = nullptr);
    ~QuillbrookApp() override;

    SearchModel& model() { return *m_model; }
    DesktopServices& desktop() { return *m_desktop; }
    Commands& commands() { return *m_commands; }
    AppearanceController& appearance() { return *m_appearance; }

    // The open search window, or null.
    MainWindow* searchWindow() const { return m_window; }
    // Opens a search window on the model unless one is open, and returns it.
    MainWindow* openSearchWindow();
    PreferencesView* settingsWindow() const { return m_settings; }
    void openSettings();

    // A launch URL: routed to the model unchanged, opening a window first when none is open.
    void receive(const QString& url);
    // A later start's hand-over; the token lets the desktop raise the window.
    void handOver(const QStringList& urls, const QString& activationToken);

    // The whole program: a second start forwards its URLs and returns at once.
    static int run(int argc, char** argv);

private:
    void raiseWindow();

    std::unique_ptr<DesktopServices> m_desktop;
    std::unique_ptr<SearchModel> m_model;
    Commands* m_commands = nullptr;
    AppearanceController* m_appearance = nullptr;
    QPointer<MainWindow> m_window;
    QPointer<PreferencesView> m_settings;
    QString m_activationToken;
};

} // namespace qb
