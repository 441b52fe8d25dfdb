// QSettings in INI format under the organisation "Ormix" and application "KM350".
#include "database/settingsstore.h"

SettingsStore::SettingsStore()
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("Ormix"), QStringLiteral("KM350")))
{
}

SettingsStore::SettingsStore(const QString& path)
    : m_settings(std::make_unique<QSettings>(path, QSettings::IniFormat))
{
}

QVariant SettingsStore::Value(const QString& section, const QString& key,
                              const QVariant& fallback) const
{
    return m_settings->value(section + QLatin1Char('/') + key, fallback);
}

void SettingsStore::SetValue(const QString& section, const QString& key, const QVariant& value)
{
    m_settings->setValue(section + QLatin1Char('/') + key, value);
}

bool SettingsStore::Contains(const QString& section, const QString& key) const
{
    return m_settings->contains(section + QLatin1Char('/') + key);
}

void SettingsStore::Sync()
{
    m_settings->sync();
}

QString SettingsStore::FileName() const
{
    return m_settings->fileName();
}
