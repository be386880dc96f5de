#pragma once
// Typed per-user preferences: Booleans, texts, byte-path lists and byte data under keys.

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace qb {

class PreferencesStore {
public:
    virtual ~PreferencesStore() = default;
    virtual std::optional<bool> boolean(const QString& key) const = 0;
    virtual std::optional<QString> text(const QString& key) const = 0;
    virtual std::optional<std::string> path(const QString& key) const = 0;
    virtual std::optional<std::vector<std::string>> paths(const QString& key) const = 0;
    virtual std::optional<QByteArray> data(const QString& key) const = 0;

    virtual void setBoolean(const QString& key, bool value) = 0;
    virtual void setText(const QString& key, const QString& value) = 0;
    virtual void setPath(const QString& key, const std::string& value) = 0;
    virtual void setPaths(const QString& key, const std::vector<std::string>& value) = 0;
    // previousUnreadable: the caller could not read the value being replaced; keep its bytes
    // aside. A store keeps aside, just the same, a stored value it cannot read as data itself.
    virtual void setData(const QString& key, const QByteArray& value, bool previousUnreadable) = 0;
};

} // namespace qb
