#pragma once
// Fakes of the desktop, the window and the preferences store that record what they were
// asked, and answer panels and dialogs as a test tells them to.

#include "model/Desktop.h"
#include "model/Preferences.h"

#include <deque>
#include <map>
#include <variant>

namespace qbtest {

class FakeDesktop : public qb::Desktop {
public:
    // Answers for the next panels and dialogs; with none queued, the request is kept pending
    // so a test can answer it later.
    std::deque<std::optional<std::string>> folderAnswers;
    std::deque<std::optional<QString>> nameAnswers;

    std::vector<qb::FolderPanel> panels;
    std::vector<qb::NameDialog> dialogs;
    std::function<void(std::optional<std::string>)> pendingFolder;
    std::function<void(std::optional<QString>)> pendingName;
    std::vector<QString> clipboard;
    std::vector<std::string> opened;
    std::vector<std::vector<std::string>> previews;
    std::vector<std::vector<std::string>> revealed;
    int raised = 0;
    bool editingText = false;
    std::vector<bool> textUndos;

    void chooseFolder(const qb::FolderPanel& panel,
                      std::function<void(std::optional<std::string>)> done) override {
        panels.push_back(panel);
        if (folderAnswers.empty()) {
            pendingFolder = std::move(done);
            return;
        }
        auto answer = folderAnswers.front();
        folderAnswers.pop_front();
        done(answer);
    }
    void askName(const qb::NameDialog& dialog,
                 std::function<void(std::optional<QString>)> done) override {
        dialogs.push_back(dialog);
        if (nameAnswers.empty()) {
            pendingName = std::move(done);
            return;
        }
        auto answer = nameAnswers.front();
        nameAnswers.pop_front();
        done(answer);
    }
    void setClipboardText(const QString& text) override { clipboard.push_back(text); }
    void openItem(const std::string& path) override { opened.push_back(path); }
    void showPreview(const std::vector<std::string>& items) override { previews.push_back(items); }
    void revealItems(const std::vector<std::string>& items) override { revealed.push_back(items); }
    void raiseApplication() override { ++raised; }
    bool isEditingText() override { return editingText; }
    void undoTextEditing(bool redo) override { textUndos.push_back(redo); }

    std::map<std::string, std::vector<qb::ApplicationEntry>> applications; // by file name suffix
    struct OpenedWith {
        std::vector<std::string> paths;
        std::string application;
    };
    std::vector<OpenedWith> openedWith;
    std::optional<QString> openWithError;
    std::deque<std::optional<std::string>> applicationAnswers;
    std::vector<qb::ApplicationEntry> applicationsFor(const std::string& path, bool) override {
        for (const auto& [suffix, apps] : applications)
            if (path.size() >= suffix.size() && path.ends_with(suffix))
                return apps;
        return {};
    }
    void openWith(const std::vector<std::string>& paths, const std::string& application,
                  std::function<void(std::optional<QString>)> done) override {
        openedWith.push_back({paths, application});
        done(openWithError);
    }
    void chooseApplication(std::function<void(std::optional<std::string>)> done) override {
        std::optional<std::string> answer;
        if (!applicationAnswers.empty()) {
            answer = applicationAnswers.front();
            applicationAnswers.pop_front();
        }
        done(answer);
    }
};

class FakeWindow : public qb::SearchWindow {
public:
    struct Sizes {
        int minWidth, minHeight, width, height;
        bool operator==(const Sizes&) const = default;
    };
    std::vector<Sizes> sizes;
    int closed = 0, activated = 0;
    void setContentSizes(int mw, int mh, int w, int h) override { sizes.push_back({mw, mh, w, h}); }
    void closeWindow() override { ++closed; }
    void activate() override { ++activated; }
};

class MemoryPreferences : public qb::PreferencesStore {
public:
    using Value = std::variant<bool, QString, std::string, std::vector<std::string>, QByteArray>;
    std::map<QString, Value> values;
    std::vector<QString> writes; // keys, in write order

    template <typename T> std::optional<T> get(const QString& key) const {
        auto it = values.find(key);
        if (it == values.end() || !std::holds_alternative<T>(it->second))
            return std::nullopt;
        return std::get<T>(it->second);
    }
    std::optional<bool> boolean(const QString& k) const override { return get<bool>(k); }
    std::optional<QString> text(const QString& k) const override { return get<QString>(k); }
    std::optional<std::string> path(const QString& k) const override { return get<std::string>(k); }
    std::optional<std::vector<std::string>> paths(const QString& k) const override {
        return get<std::vector<std::string>>(k);
    }
    std::optional<QByteArray> data(const QString& k) const override { return get<QByteArray>(k); }
    void setBoolean(const QString& k, bool v) override { put(k, v); }
    void setText(const QString& k, const QString& v) override { put(k, v); }
    void setPath(const QString& k, const std::string& v) override { put(k, v); }
    void setPaths(const QString& k, const std::vector<std::string>& v) override { put(k, v); }
    void setData(const QString& k, const QByteArray& v, bool) override { put(k, v); }

private:
    void put(const QString& k, Value v) {
        values[k] = std::move(v);
        writes.push_back(k);
    }
};

} // namespace qbtest
