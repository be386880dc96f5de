#pragma once
// The preferences store as one JSON file in the XDG config folder, written atomically: a
// crash or a full disk leaves the old file or the new one, never a torn one. A file that
// cannot be read counts as empty, and its bytes are kept aside before it is first replaced.

#include "Preferences.h"

#include <QJsonObject>

namespace qb {

class JsonPreferencesFile : public PreferencesStore {
public:
    // The default place: $XDG_CONFIG_HOME/quillbrook/preferences.json (~/.config when unset).
    static std::string defaultPath();
    explicit JsonPreferencesFile(std::string path = defaultPath());

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

private:
    void store(const QString& key, const QJsonValue& value);
    bool write();
    void keepAside(const QByteArray& bytes, const std::string& suffix);

    std::string m_path;
    QJsonObject m_values;
    QByteArray m_unreadableFile; // the old file's bytes when it did not parse
    bool m_inSync = false;       // the file on disk holds m_values
};

} // namespace qb
