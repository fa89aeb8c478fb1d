#include "host/designer/ShownText.h"

#include <QCoreApplication>

QString ShownText(std::string_view utf8, int most)
{
    // A character takes at most four bytes; cut on the first byte of one, not inside it.
    size_t end = std::min(utf8.size(), static_cast<size_t>(most) * 4);
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80)
        --end;
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(end));
    text.truncate(most);
    return text;
}

QString ShownLabel(const std::string& label)
{
    // The words that begin the core's labels (host/DesignerCommands.cpp), listed for lupdate.
    static const char* const actions[] = {
        QT_TRANSLATE_NOOP("UndoLabel", "Add"),    QT_TRANSLATE_NOOP("UndoLabel", "Delete"),
        QT_TRANSLATE_NOOP("UndoLabel", "Move"),   QT_TRANSLATE_NOOP("UndoLabel", "Set"),
        QT_TRANSLATE_NOOP("UndoLabel", "Resize"), QT_TRANSLATE_NOOP("UndoLabel", "Reset"),
        QT_TRANSLATE_NOOP("UndoLabel", "Edit"),   QT_TRANSLATE_NOOP("UndoLabel", "Double-click"),
        QT_TRANSLATE_NOOP("UndoLabel", "Cut"),    QT_TRANSLATE_NOOP("UndoLabel", "Paste"),
    };
    const QString text = QString::fromStdString(label);
    const qsizetype space = text.indexOf(' ');
    const QString word = text.left(space < 0 ? text.size() : space);
    for (const char* action : actions)
        if (word == QLatin1String(action))
            return QCoreApplication::translate("UndoLabel", action) + text.mid(word.size());
    return text;
}
