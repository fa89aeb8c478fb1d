#pragma once
// The form files a person opened or saved lately, newest first and at most Maximum of them,
// kept in the user's configuration folder ($XDG_CONFIG_HOME, else ~/.config) so that the next
// session offers them again.

#include <QStringList>

class TRecentFiles {
public:
    static constexpr int Maximum = 8;

    // At most Maximum, whatever the configuration holds.
    QStringList Files() const;
    // Puts the file first, by its absolute path; the oldest beyond Maximum go.
    void Add(const QString& path);
    void Remove(const QString& path);

private:
    void Store(const QStringList& files);
};
