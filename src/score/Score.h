#pragma once
#include "platform/File.h"

#include <array>
#include <cstdint>
#include <string>

class CArchive;

// The ten best results of each skill level, kept in "SCORES.VXR". Rows are
// (name, score, level), row 0 the best once sorted.
class CScore {
public:
    enum Skill { easy, normal, hard };
    static constexpr int kSkills = 3;
    static constexpr int kRows = 10;
    // A display row's name: 12 characters and the terminator.
    static constexpr int kNameChars = 12;
    using DisplayName = char[kNameChars + 1];
    static constexpr const char* kPath = "SCORES.VXR";
    static constexpr const char* kDamagedPath = "SCORES.VXR.damaged";
    static constexpr const char* kDefaultName = "ZANTRIVEL";

    CScore();

    // Replaces the table with the file's. A file that cannot be opened, ends
    // early or goes on after its tables is shown in a message box and the
    // table stays as it was;
    // such a file is moved aside to "SCORES.VXR.damaged" by the next Save
    // rather than overwritten.
    void Load();
    // Writes the table beside the file, syncs it and renames it into place,
    // so a crash or a full disk leaves the stored scores as they were.
    // Refused until Load has run: a start-up that stopped before the table
    // was read must not write the default table over the stored one.
    // 1 when written; 0 after a message box, or silently when refused.
    int Save();
    bool MaySave() const { return m_loaded; }
    void Serialize(CArchive& ar);
    // Loads the tables and checks that nothing follows them: false, with the
    // table half-read, for bytes after the tables; CArchiveException when
    // the file ends before them.
    bool ReadWhole(CArchive& ar);

    // Offers a result: it replaces row 9 when it scores strictly more. 1 if entered.
    int SetEasy(std::string name, int32_t score, int32_t level);
    int SetNormal(std::string name, int32_t score, int32_t level);
    int SetHard(std::string name, int32_t score, int32_t level);

    void SortEasy();
    void SortNormal();
    void SortHard();

    // Copies row index (0 to 9) for the high-score pages. The name keeps
    // only its printable characters, at most 12 of them.
    void SetMenuEasy(int index, DisplayName& name, int32_t& score, int32_t& level) const;
    void SetMenuNormal(int index, DisplayName& name, int32_t& score, int32_t& level) const;
    void SetMenuHard(int index, DisplayName& name, int32_t& score, int32_t& level) const;

private:
    struct Table {
        std::array<std::string, kRows> names;
        std::array<int32_t, kRows> scores;
        std::array<int32_t, kRows> levels;
    };

    static int Set(Table& table, std::string name, int32_t score, int32_t level);
    static void Sort(
        std::array<std::string, kRows>& names, std::array<int32_t, kRows>& scores, std::array<int32_t, kRows>& levels);
    static void SetMenu(const Table& table, int index, DisplayName& name, int32_t& score, int32_t& level);
    void SortAll();
    platform::FileError WriteTable(platform::File& file);
    platform::FileError KeepDamagedAside();

    std::array<Table, kSkills> m_tables;
    bool m_loaded = false;
    bool m_keepAside = false; // the stored file could not be read: keep it, don't overwrite it
};
