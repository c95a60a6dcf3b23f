#include "gridfile.h"

#include "textfile.h"

namespace {

const QByteArray kCaption = ">>c<<";
const QByteArray kSubItem = ">>s<<";
const QByteArray kEnd = ">>e<<";

QByteArray lineText(const QString &text)
{
    QByteArray bytes = ToNarrow(text);
    bytes.replace('\r', ' ');
    bytes.replace('\n', ' ');
    return bytes;
}

}  // namespace

QList<QByteArray> GridToLines(const QList<GridRow> &rows)
{
    QList<QByteArray> lines;
    for (const GridRow &row : rows) {
        lines.append(kCaption + lineText(row.caption));
        for (const QString &sub : row.subItems)
            lines.append(kSubItem + lineText(sub));
    }
    lines.append(kEnd);
    return lines;
}

QList<GridRow> LinesToGrid(const QList<QByteArray> &lines)
{
    QList<GridRow> rows;
    if (!lines.isEmpty() && lines.first().left(5) == kEnd)
        return rows;
    for (const QByteArray &line : lines) {
        const QByteArray marker = line.left(5);
        if (marker == kEnd)
            break;
        if (marker == kCaption)
            rows.append(GridRow{FromNarrow(line.mid(5)), {}});
        else if (marker == kSubItem && !rows.isEmpty())
            rows.last().subItems.append(FromNarrow(line.mid(5)));
    }
    return rows;
}

void SaveGridFile(const QString &fileName, const QList<GridRow> &rows)
{
    WriteWholeFile(fileName, JoinLines(GridToLines(rows), true));
}

QList<GridRow> LoadGridFile(const QString &fileName)
{
    return LinesToGrid(SplitLines(ReadWholeFile(fileName)));
}
