#include "ui/preview/PreviewWindow.h"

#include "model/OffThread.h"
#include "ui/desktop/FileIcon.h"
#include "ui/widgets/ShownText.h"
#include "ui/widgets/Style.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>

namespace qb {

PreviewController::~PreviewController() {
    if (m_stop)
        m_stop->store(true);
    delete m_window;
}

PreviewWindow* PreviewController::window() const {
    return m_window;
}

void PreviewController::show(std::vector<std::string> urls, QWidget* over) {
    if (urls.empty())
        return;
    m_urls = std::move(urls);
    m_index = 0;
    if (!m_window) {
        m_window = new PreviewWindow(*this, over);
        connect(m_window, &QObject::destroyed, this, [this] {
            m_window = nullptr;
            if (m_stop)
                m_stop->store(true);
        });
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    load();
}

void PreviewController::step(int delta) {
    if (m_urls.empty())
        return;
    const int next = std::clamp(m_index + delta, 0, count() - 1);
    if (next == m_index)
        return;
    m_index = next;
    load();
}

void PreviewController::closeWindow() {
    if (m_window)
        m_window->close();
}

void PreviewController::load() {
    if (!m_window)
        return;
    // The previous request, if still running, stops at its next check and its answer is
    // dropped by the generation.
    if (m_stop)
        m_stop->store(true);
    m_stop = std::make_shared<std::atomic<bool>>(false);
    const quint64 generation = ++m_generation;
    const std::string path = m_urls[size_t(m_index)];
    m_window->showLoading(QString::fromStdString(path), m_index, count());
    const QSize target = m_window->size() * m_window->devicePixelRatioF();
    const int pageWidth = int(m_window->pageWidth() * m_window->devicePixelRatioF());
    auto stop = m_stop;
    runOffThread(
        this,
        [path, target, stop, pageWidth] {
            return loadPreview(path, target, stop.get(), pageWidth);
        },
        [this, generation, path](const PreviewContent& content) {
            if (generation != m_generation || !m_window)
                return;
            m_window->showContent(content, path);
            Q_EMIT shown(m_index);
        });
}

PreviewWindow::PreviewWindow(PreviewController& controller, QWidget* over)
    : QWidget(over), m_controller(controller) {
    setObjectName("preview");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::Window);
    resize(720, 560);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_stack = new QStackedWidget(this);
    m_image = new QLabel(m_stack);
    m_image->setAlignment(Qt::AlignCenter);
    m_image->setMinimumSize(1, 1);
    m_image->setBackgroundRole(QPalette::Base);
    m_image->setAutoFillBackground(true);
    m_text = new QPlainTextEdit(m_stack);
    m_text->setReadOnly(true);
    m_text->setFont(monospaceFont());
    m_text->setFrameShape(QFrame::NoFrame);
    m_text->document()->setDocumentMargin(14);
    m_text->setAccessibleName(tr("Text preview"));
    // The text can be selected and copied, but the window's keys stay the window's.
    m_text->installEventFilter(this);
    // Pages on the window's backdrop with a hairline edge, so a white page shows as a page.
    m_pages = new QScrollArea(m_stack);
    m_pages->setWidgetResizable(true);
    m_pages->setFrameShape(QFrame::NoFrame);
    m_pages->setFocusPolicy(Qt::NoFocus); // the arrows step through the items
    m_pages->setBackgroundRole(QPalette::Window);
    m_facts = new QWidget(m_stack);
    auto* facts = new QVBoxLayout(m_facts);
    facts->addStretch(1);
    m_factsIcon = new QLabel(m_facts);
    m_factsIcon->setAlignment(Qt::AlignCenter);
    m_factsName = makeLabel({}, TextStyle::title, false, m_facts);
    m_factsName->setAlignment(Qt::AlignCenter);
    m_factsName->setTextFormat(Qt::PlainText);
    m_factsLines = makeLabel({}, TextStyle::body, true, m_facts);
    m_factsLines->setAlignment(Qt::AlignCenter);
    m_factsLines->setTextFormat(Qt::PlainText);
    m_message = makeLabel({}, TextStyle::body, false, m_facts);
    m_message->setObjectName("previewMessage");
    m_message->setAlignment(Qt::AlignCenter);
    for (QWidget* w : {static_cast<QWidget*>(m_factsIcon), static_cast<QWidget*>(m_factsName),
                       static_cast<QWidget*>(m_factsLines), static_cast<QWidget*>(m_message)})
        facts->addWidget(w);
    facts->addStretch(1);
    m_stack->addWidget(m_image);
    m_stack->addWidget(m_text);
    m_stack->addWidget(m_pages);
    m_stack->addWidget(m_facts);
    column->addWidget(m_stack);
}

void PreviewWindow::showLoading(const QString& path, int index, int count) {
    const QString name = path.section(QLatin1Char('/'), -1);
    // One substitution pass, so a "%2" inside the name stays as it is.
    setWindowTitle(windowTitleText(
        count > 1 ? tr("%1 (%2 of %3)", "window title: name, position among the items previewed")
                        .arg(name, QLocale().toString(index + 1), QLocale().toString(count))
                  : name));
}

void PreviewWindow::showContent(const PreviewContent& content, const std::string& path) {
    m_message->setText(content.message);
    m_message->setVisible(!content.message.isEmpty());
    switch (content.kind) {
    case PreviewContent::Kind::image:
        m_shown = content.image;
        showImage();
        m_stack->setCurrentWidget(m_image);
        break;
    case PreviewContent::Kind::text:
        m_text->setPlainText(content.truncated ? content.text + QStringLiteral("\n…")
                                               : content.text);
        m_stack->setCurrentWidget(m_text);
        break;
    case PreviewContent::Kind::pages: {
        m_shown = {};
        auto* column = new QWidget;
        auto* layout = new QVBoxLayout(column);
        layout->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
        layout->setSpacing(12);
        const qreal ratio = devicePixelRatioF();
        for (const QImage& page : content.pages) {
            auto* label = new QLabel(column);
            QPixmap pixmap = QPixmap::fromImage(page);
            pixmap.setDevicePixelRatio(ratio);
            label->setPixmap(pixmap);
            label->setFrameShape(QFrame::Box);
            label->setForegroundRole(QPalette::Mid);
            label->setAlignment(Qt::AlignCenter);
            layout->addWidget(label, 0, Qt::AlignHCenter);
        }
        if (content.pageCount > int(content.pages.size())) {
            auto* more =
                makeLabel(tr("Pages 1–%1 of %2").arg(content.pages.size()).arg(content.pageCount),
                          TextStyle::caption, true, column);
            more->setAlignment(Qt::AlignCenter);
            layout->addWidget(more);
        }
        layout->addStretch(1);
        m_pages->setWidget(column); // the previous column goes with it
        m_stack->setCurrentWidget(m_pages);
        break;
    }
    case PreviewContent::Kind::facts:
        m_shown = {};
        m_factsIcon->setPixmap(FileIcon::iconForPath(path, content.isDirectory).pixmap(128, 128));
        m_factsName->setText(content.name);
        m_factsLines->setText(content.text);
        m_stack->setCurrentWidget(m_facts);
        break;
    }
}

int PreviewWindow::pageWidth() const {
    // The window less the column's margins, a scroll bar and the page's edge.
    return std::max(1, width() - 2 * kPageMargin - 2 -
                           style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
}

void PreviewWindow::showImage() {
    if (m_shown.isNull())
        return;
    const QSize area = m_image->size() * devicePixelRatioF();
    QImage fitted = m_shown.width() > area.width() || m_shown.height() > area.height()
                        ? m_shown.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                        : m_shown;
    QPixmap pixmap = QPixmap::fromImage(fitted);
    pixmap.setDevicePixelRatio(devicePixelRatioF());
    m_image->setPixmap(pixmap);
}

void PreviewWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    showImage();
}

bool PreviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (modifiers == Qt::NoModifier && handleKey(key->key()))
            return true;
    }
    return QWidget::eventFilter(watched, event);
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
    if (!handleKey(event->key()))
        QWidget::keyPressEvent(event);
}

bool PreviewWindow::handleKey(int key) {
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        m_controller.step(-1);
        return true;
    case Qt::Key_Right:
    case Qt::Key_Down:
        m_controller.step(+1);
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        if (m_stack->currentWidget() != m_pages)
            return false; // the text scrolls itself
        QScrollBar* bar = m_pages->verticalScrollBar();
        bar->setValue(bar->value() + (key == Qt::Key_PageUp ? -1 : 1) * bar->pageStep());
        return true;
    }
    case Qt::Key_Space:
    case Qt::Key_Escape:
        close();
        return true;
    default:
        return false;
    }
}

} // namespace qb
