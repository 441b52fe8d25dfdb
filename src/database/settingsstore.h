// Window and port settings, one group per window section, in ~/.config/Ormix/KM350.ini.
#pragma once

#include <QSettings>
#include <QString>
#include <QVariant>

#include <memory>

class SettingsStore
{
  public:
    SettingsStore();                             // the user's settings file
    explicit SettingsStore(const QString& path); // a given INI file (tests, tools)

    QVariant Value(const QString& section, const QString& key, const QVariant& fallback = {}) const;
    void SetValue(const QString& section, const QString& key, const QVariant& value);
    bool Contains(const QString& section, const QString& key) const;
    void Sync();
    QString FileName() const;

  private:
    std::unique_ptr<QSettings> m_settings;
};
