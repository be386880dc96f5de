#pragma once
// The preferences store as one JSON file in the XDG config folder, written atomically: a
// crash or a full disk leaves the old file or the new one, never a torn one. A file that
// cannot be read counts as empty, and its bytes are kept aside before it is first replaced.
// Values are read and changed in memory; the file is written on a thread of its own, so the
// window never waits for a disk (every search remembers its folder).

#include "Preferences.h"

#include <QJsonObject>
#include <memory>

namespace qb {

class JsonPreferencesFile : public PreferencesStore {
public:
    // The default place: $XDG_CONFIG_HOME/quillbrook/preferences.json (~/.config when unset).
    static std::string defaultPath();
    explicit JsonPreferencesFile(std::string path = defaultPath());
    ~JsonPreferencesFile() override; // waits until every change is on disk

    std::optional<bool> boolean(const QString& key) const override;
    std::optional<QString> text(const QString& key) const override;
    std::optional<std::string> path(const QString& key) const override;
    std::optional<std::vector<std::string>> paths(const QString& key) const override;
    std::optional<QByteArray> data(const QString& key) const override;

    void setBoolean(const QString& key, bool value) override;
    void setText(const QString& key, const QString& value) override;
    void setPath(const QString& key, const std::string& value) override;
    void setPaths(const QString& key, const std::vector<std::string>& value) override;
    void setData(const QString& key, const QByteArray& value, bool previousUnreadable) override;

    const std::string& filePath() const { return m_path; }
    // Waits until every change made so far is on disk (or has failed to get there).
    void flush();

private:
    class Writer;
    void store(const QString& key, const QJsonValue& value);
    Writer& writer();

    std::string m_path;
    QJsonObject m_values;
    QByteArray m_unreadableFile; // the old file's bytes when it did not parse
    bool m_inSync = false;       // m_values went to the writer, or came from the file
    std::unique_ptr<Writer> m_writer;
};

} // namespace qb
