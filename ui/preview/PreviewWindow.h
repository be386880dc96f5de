#pragma once
// The preview window and its controller: one shared list of items, the current one shown as
// an image, a text, a PDF's pages or its facts. Loading runs off the GUI thread; a newer request
// supersedes an older one. Left and Right (or Up and Down) step through the items, Page Up and Page
// Down scroll the pages; Space and Escape close.

#include "ui/preview/PreviewLoader.h"

#include <QWidget>
#include <memory>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QScrollArea;
class QStackedWidget;

namespace qb {

class PreviewWindow;

class PreviewController : public QObject {
    Q_OBJECT
public:
    explicit PreviewController(QObject* parent = nullptr) : QObject(parent) {}
    // The window goes with its controller.
    ~PreviewController() override;
    // Replaces the list and shows its first item. over: the window the preview belongs to,
    // which it stays above and closes with.
    void show(std::vector<std::string> urls, QWidget* over = nullptr);
    const std::vector<std::string>& urls() const { return m_urls; }
    int count() const { return int(m_urls.size()); }
    int index() const { return m_index; }
    void step(int delta);
    PreviewWindow* window() const;
    void closeWindow();

Q_SIGNALS:
    // The current item's content has arrived and is shown.
    void shown(int index);

private:
    void load();

    std::vector<std::string> m_urls;
    int m_index = 0;
    quint64 m_generation = 0;
    std::shared_ptr<std::atomic<bool>> m_stop;
    PreviewWindow* m_window = nullptr;
};

class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    explicit PreviewWindow(PreviewController& controller, QWidget* over = nullptr);
    void showLoading(const QString& name, int index, int count);
    void showContent(const PreviewContent& content, const std::string& path);
    // How wide a PDF page is drawn, in device-independent pixels.
    int pageWidth() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The window's own keys, wherever the focus is inside it; false for any other key.
    bool handleKey(int key);
    void resizeEvent(QResizeEvent* event) override;

private:
    static constexpr int kPageMargin = 16;
    void showImage();

    PreviewController& m_controller;
    QStackedWidget* m_stack;
    QLabel* m_image;
    QPlainTextEdit* m_text;
    QScrollArea* m_pages;
    QWidget* m_facts;
    QLabel* m_factsIcon;
    QLabel* m_factsName;
    QLabel* m_factsLines;
    QLabel* m_message;
    QImage m_shown;
};

} // namespace qb
