#include "host/designer/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace {

constexpr const char* Key = "RecentFiles";

// drowcast-designer.conf in the user's configuration folder, read afresh each time, so a window
// adds to what another one stored meanwhile.
QSettings Settings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "drowcast-designer");
}

}  // namespace

QStringList TRecentFiles::Files() const
{
    // Another program, or an older designer, may have stored more: only the newest are offered.
    QStringList files = Settings().value(Key).toStringList();
    if (files.size() > Maximum)
        files.resize(Maximum);
    return files;
}

void TRecentFiles::Add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = Files();
    files.removeAll(absolute);
    files.prepend(absolute);
    Store(files.mid(0, Maximum));
}

void TRecentFiles::Remove(const QString& path)
{
    QStringList files = Files();
    files.removeAll(path);
    Store(files);
}

void TRecentFiles::Store(const QStringList& files)
{
    QSettings settings = Settings();
    settings.setValue(Key, files);
}
