#pragma once
// The grid file: one line per caption and per sub-item, each behind a five-character marker,
// closed by an end line. Knows nothing of auctions: a row is a caption and its sub-items.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct GridRow {
    QString caption;
    QStringList subItems;
    bool operator==(const GridRow &other) const
    {
        return caption == other.caption && subItems == other.subItems;
    }
};

// The lines of a file (without line breaks). A line break inside a text is saved as a blank,
// since the format cannot carry it.
QList<QByteArray> GridToLines(const QList<GridRow> &rows);
// Reads up to the end line, or up to the last line when there is none; skips lines with
// another marker and sub-item lines that come before the first caption line.
QList<GridRow> LinesToGrid(const QList<QByteArray> &lines);

// Whole-file save (temporary file and rename) and load; both raise FileError.
void SaveGridFile(const QString &fileName, const QList<GridRow> &rows);
QList<GridRow> LoadGridFile(const QString &fileName);
