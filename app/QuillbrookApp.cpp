#include "QuillbrookApp.h"

#include "Appearance.h"
#include "KeyboardMenus.h"
#include "LaunchArgs.h"
#include "SingleInstance.h"
#include "WaylandPopups.h"
#include "WindowRoles.h"
#include "X11Activation.h"
#include "model/JsonPreferencesFile.h"
#include "model/SearchModel.h"
#include "model/Translations.h"
#include "ui/Commands.h"
#include "ui/MainWindow.h"
#include "ui/SearchView.h"
#include "ui/desktop/DesktopServices.h"
#include "ui/desktop/LaunchContext.h"
#include "ui/sheets/PreferencesView.h"
#include "ui/widgets/Symbols.h"

#include <QAccessible>
#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <cstdio>
#include <unistd.h>
#include <utility>

namespace qb {

QuillbrookApp::QuillbrookApp(PreferencesStore& store, QObject* parent) : QObject(parent) {
    m_desktop = std::make_unique<DesktopServices>([this] { return m_window.data(); },
                                                  [this] { raiseWindow(); });
    m_model = std::make_unique<SearchModel>(store, *m_desktop);
    m_commands = new Commands(*m_model,
                              {[this] { openSettings(); },
                               [] {
                                   if (QWidget* w = QApplication::activeWindow())
                                       w->close();
                               },
                               [] { QApplication::closeAllWindows(); }},
                              this);
    m_appearance = new AppearanceController(*m_model, this);
    if (qApp) {
        qApp->installEventFilter(new KeyboardMenus(this));
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
            qApp->installEventFilter(new WaylandPopups(this));
    }
    trackUserActions(this);
}

QuillbrookApp::~QuillbrookApp() {
    // Windows refer to the model: they go first.
    delete m_window.data();
    delete m_settings.data();
}

MainWindow* QuillbrookApp::openSearchWindow() {
    if (m_window)
        return m_window;
    m_window = new MainWindow(*m_model, *m_commands);
    m_window->show();
    m_model->attachWindow(m_window->handle());
    return m_window;
}

void QuillbrookApp::openSettings() {
    if (!m_settings) {
        m_settings = new PreferencesView(*m_model);
        m_settings->setAttribute(Qt::WA_DeleteOnClose);
        m_settings->setWindowFlag(Qt::Dialog);
    }
    m_settings->show();
    m_settings->raise();
    m_settings->activateWindow();
}

void QuillbrookApp::receive(const QString& url) {
    openSearchWindow();
    m_model->receive(url);
}

void QuillbrookApp::handOver(const QStringList& urls, const QString& activationToken) {
    m_activationToken = activationToken;
    if (urls.isEmpty())
        raiseWindow();
    for (const QString& url : urls)
        receive(url);
    m_activationToken.clear();
}

void QuillbrookApp::raiseWindow() {
    MainWindow* window = openSearchWindow();
    // Wayland activates with the token of the request that asked to come forward; Qt reads it
    // from the environment. A token is good for one activation, and left there it would reach
    // every program opened from the window later on.
    const QString token = std::exchange(m_activationToken, QString());
    if (!token.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", token.toUtf8());
    window->raiseAndActivate();
    qunsetenv("XDG_ACTIVATION_TOKEN");
    // X11 wants the time of the user's action from the startup id.
    activateWithStartupId(window, token.toUtf8());
}

int QuillbrookApp::run(int argc, char** argv) {
    // Read before the application object exists: Qt on X11 takes and clears the startup id.
    QString token = qEnvironmentVariable("XDG_ACTIVATION_TOKEN");
    if (token.isEmpty())
        token = qEnvironmentVariable("DESKTOP_STARTUP_ID");

    std::vector<std::string> raw(argv, argv + argc);
    char cwd[4096];
    const std::string workingFolder = ::getcwd(cwd, sizeof cwd) ? cwd : "/";
    LaunchArgs args = parseLaunchArgs(raw, workingFolder);
    if (!args.error.isEmpty()) {
        std::fprintf(stderr, "quillbrook: %s\n%s", qPrintable(args.error),
                     qPrintable(launchUsage()));
        return 2;
    }
    if (args.showHelp) {
        std::fputs(qPrintable(launchUsage()), stdout);
        return 0;
    }
    if (args.showVersion) {
        std::printf("quillbrook %s\n", QUILLBROOK_VERSION);
        return 0;
    }
    if (forwardToRunningInstance(args.urls, token))
        return 0;

    QApplication app(argc, argv);
    installTranslations(app);
    // The token was this start's (X11's startup id Qt has taken for the first window already):
    // the window applies it below, and nothing this program starts may inherit it.
    qunsetenv("XDG_ACTIVATION_TOKEN");
    qunsetenv("DESKTOP_STARTUP_ID");
    QApplication::setApplicationName(QStringLiteral("quillbrook"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLBROOK_VERSION));
    QApplication::setDesktopFileName(QLatin1String(kApplicationId));
    setUpIconTheme();
    QAccessible::installFactory(windowRole);
    QApplication::setWindowIcon(QIcon::fromTheme(QLatin1String(kApplicationId),
                                                 symbol(QStringLiteral("text.magnifyingglass"))));

    JsonPreferencesFile store;
    QuillbrookApp quillbrook(store);
    new ApplicationAdaptor(&quillbrook,
                           [&quillbrook](const QStringList& urls, const QString& activationToken) {
                               quillbrook.handOver(urls, activationToken);
                           });
    if (registerApplication(&quillbrook) == Registration::taken) {
        // Another start won the name between our check and now: hand over to it.
        if (forwardToRunningInstance(args.urls, token))
            return 0;
    }
    quillbrook.handOver(args.urls, QGuiApplication::platformName() == QLatin1String("xcb")
                                       ? QString() // Qt on X11 applied it to the first window
                                       : token);
    return app.exec();
}

} // namespace qb
