#pragma once
// Light and dark appearance. Light and dark use the Fusion style with a light or a dark
// palette that keeps the desktop's highlight colour; system restores the platform's own style
// and palette, and follows the desktop's dark preference from the settings portal where the
// platform theme does not.

#include "model/SavedSearch.h"

#include <QDBusVariant>
#include <QObject>
#include <QPalette>
#include <QString>

namespace qb {

class SearchModel;

QPalette lightPalette(const QColor& highlight);
QPalette darkPalette(const QColor& highlight);

class AppearanceController : public QObject {
    Q_OBJECT
public:
    explicit AppearanceController(SearchModel& model, QObject* parent = nullptr);

    // The desktop's preference as the portal reports it: 0 none, 1 dark, 2 light.
    void setDesktopColorScheme(uint scheme);
    bool darkActive() const { return m_darkActive; }

private Q_SLOTS:
    void portalSettingChanged(const QString& group, const QString& key, const QDBusVariant& value);

private:
    void apply();
    void readPortal();

    SearchModel& m_model;
    QString m_platformStyle;
    QPalette m_platformPalette;
    uint m_desktopScheme = 0;
    bool m_darkActive = false;
    bool m_applied = false;
    bool m_fusion = false; // the style is our Fusion, not the platform's
};

} // namespace qb
