// Every text the construction dialogs show has English wording in the
// factory language file, so none of them shows "<id>".
#include <QFile>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// The ids of the factory language file that have English wording.
std::set<int> WordedIds()
{
    std::set<int> worded;
    QFile file(QStringLiteral(MORVEK_SOURCE_DIR "/Defaults/english.lng"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    int id = -1;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[') && line.endsWith(']'))
            id = line.mid(1, line.size() - 2).toInt();
        else if (line.startsWith("ENG=") && line.size() > 4 && id >= 0)
            worded.insert(id);
    }
    return worded;
}

TEST(ConstructTexts, EveryDialogTextHasEnglishWording)
{
    const std::set<int> worded = WordedIds();
    const struct {
        const char* dialog;
        std::vector<int> ids;
    } dialogs[] = {
        {"arc", {43, 132, 133, 155, 156, 157, 171, 2100, 2101, 2104, 2105, 2106, 2107, 2108, 2109, 2110, 2115, 2116}},
        {"ellipse", {45, 132, 133, 134, 173, 2107, 2111, 2112, 2113, 2114, 2115, 2116}},
        {"dimension", {48, 49, 50, 53, 117, 118, 132, 133, 175, 192, 242, 303, 304, 305, 307, 308, 857}},
        {"relative line", {132, 170, 338, 519, 520, 521, 522, 523, 524, 525, 526, 527, 528, 633, 2102, 2103}},
        {"polygon and rectangle", {50, 59, 132, 133, 217, 236, 237, 594, 595, 596, 597, 598, 599, 600, 640}},
    };
    for (const auto& d : dialogs) {
        for (int id : d.ids)
            EXPECT_EQ(worded.count(id), 1u) << d.dialog << " " << id;
    }
}

} // namespace
