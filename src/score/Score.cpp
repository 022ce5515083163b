#include "score/Score.h"
#include "app/Assert.h"
#include "platform/MessageBox.h"
#include "render/Archive.h"

#include <utility>

namespace {

template <class T>
void Field(CArchive& ar, T& value)
{
    if (ar.IsStoring())
        ar << value;
    else
        ar >> value;
}

bool Printable(char c) { return c >= 0x20 && c <= 0x7E; }

} // namespace

CScore::CScore()
{
    for (Table& table : m_tables) {
        table.names.fill(kDefaultName);
        table.scores.fill(0);
        table.levels.fill(0);
    }
}

void CScore::Load()
{
    m_loaded = true;
    platform::File file;
    platform::FileError cause = platform::FileError::none;
    if (!file.Open(kPath, platform::File::modeRead, &cause)) {
        // A file that is there but cannot be read may still hold the player's scores.
        m_keepAside = cause != platform::FileError::fileNotFound;
        platform::ReportFileError(cause, kPath);
        return;
    }
    const auto kept = m_tables;
    CArchive ar(file, CArchive::load);
    try {
        m_keepAside = !ReadWhole(ar);
        if (m_keepAside)
            platform::MessageBox(std::string(kPath) + " is damaged: it holds more than its three tables.", "Vexorin");
    } catch (const CArchiveException& error) {
        m_keepAside = true;
        platform::ReportFileError(error.m_cause, kPath);
    }
    if (m_keepAside)
        m_tables = kept;
    // A file written by other means may be out of order; a result must
    // then still displace the lowest row, not whichever lies last.
    SortAll();
    ar.Close();
}

bool CScore::ReadWhole(CArchive& ar)
{
    Serialize(ar);
    uint8_t extra;
    return ar.Read(&extra, 1) == 0;
}

int CScore::Save()
{
    if (!m_loaded)
        return 0;
    const platform::FileError cause = platform::ReplaceFile(
        kPath, [this](platform::File& file) { return WriteTable(file); }, [this] { return KeepDamagedAside(); });
    if (cause != platform::FileError::none) {
        platform::ReportFileError(cause, kPath);
        return 0;
    }
    return 1;
}

platform::FileError CScore::WriteTable(platform::File& file)
{
    try {
        CArchive ar(file, CArchive::store);
        Serialize(ar);
        ar.Close();
    } catch (const CArchiveException& error) {
        return error.m_cause;
    }
    return platform::FileError::none;
}

platform::FileError CScore::KeepDamagedAside()
{
    platform::FileError cause = platform::FileError::none;
    if (m_keepAside && !platform::RenameFile(kPath, kDamagedPath, &cause) && cause != platform::FileError::fileNotFound)
        return cause;
    m_keepAside = false;
    return platform::FileError::none;
}

void CScore::Serialize(CArchive& ar)
{
    for (Table& table : m_tables) {
        for (std::string& name : table.names)
            Field(ar, name);
        for (int32_t& score : table.scores)
            Field(ar, score);
        for (int32_t& level : table.levels)
            Field(ar, level);
    }
}

int CScore::Set(Table& table, std::string name, int32_t score, int32_t level)
{
    if (score <= table.scores[kRows - 1])
        return 0;
    table.names[kRows - 1] = std::move(name);
    table.scores[kRows - 1] = score;
    table.levels[kRows - 1] = level;
    return 1;
}

int CScore::SetEasy(std::string name, int32_t score, int32_t level)
{
    return Set(m_tables[easy], std::move(name), score, level);
}

int CScore::SetNormal(std::string name, int32_t score, int32_t level)
{
    return Set(m_tables[normal], std::move(name), score, level);
}

int CScore::SetHard(std::string name, int32_t score, int32_t level)
{
    return Set(m_tables[hard], std::move(name), score, level);
}

// An exchange sort, so rows of equal score keep the order the game has always shown.
void CScore::Sort(
    std::array<std::string, kRows>& names, std::array<int32_t, kRows>& scores, std::array<int32_t, kRows>& levels)
{
    for (int i = 0; i < kRows; ++i)
        for (int j = i + 1; j < kRows; ++j)
            if (scores[j] > scores[i]) {
                std::swap(scores[i], scores[j]);
                std::swap(names[i], names[j]);
                std::swap(levels[i], levels[j]);
            }
}

void CScore::SortEasy() { Sort(m_tables[easy].names, m_tables[easy].scores, m_tables[easy].levels); }

void CScore::SortNormal() { Sort(m_tables[normal].names, m_tables[normal].scores, m_tables[normal].levels); }

void CScore::SortHard() { Sort(m_tables[hard].names, m_tables[hard].scores, m_tables[hard].levels); }

void CScore::SortAll()
{
    SortEasy();
    SortNormal();
    SortHard();
}

void CScore::SetMenu(const Table& table, int index, DisplayName& name, int32_t& score, int32_t& level)
{
    VX_ASSERT(index >= 0 && index < kRows);
    int length = 0;
    for (const char c : table.names[index])
        if (length < kNameChars && Printable(c))
            name[length++] = c;
    name[length] = '\0';
    score = table.scores[index];
    level = table.levels[index];
}

void CScore::SetMenuEasy(int index, DisplayName& name, int32_t& score, int32_t& level) const
{
    SetMenu(m_tables[easy], index, name, score, level);
}

void CScore::SetMenuNormal(int index, DisplayName& name, int32_t& score, int32_t& level) const
{
    SetMenu(m_tables[normal], index, name, score, level);
}

void CScore::SetMenuHard(int index, DisplayName& name, int32_t& score, int32_t& level) const
{
    SetMenu(m_tables[hard], index, name, score, level);
}
