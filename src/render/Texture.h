#pragma once
#include "app/singleton.h"
#include "render/TextureFile.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class CArchive;

// Every picture the game draws, made into GL textures from "DATA/TEXTURE.VXR"
// and bound by name just before drawing. One per process.
class CTexture : public Singleton<CTexture> {
public:
    CTexture();
    ~CTexture() override;

    // Loads every texture of the texture file. Nothing stops the game: an
    // open failure, a file that ends early and a damaged record are each
    // shown in a message box, and the textures completed before stay.
    // Textures of an earlier load are deleted first.
    void Load();
    void Serialize(CArchive& ar);
    void InitTexHashTable(int n);

    void Use(const char* key);
    void Use(const std::string& key);
    void DeleteTexture(const std::string& key);
    void DeleteAllTextures();
    // For a display that refuses gamma ramps: every texture loaded again with
    // the gamma baked into its colours.
    void ReloadWithGamma(float gamma);

    // Buckets for a table of n textures: 13 up to 10, else n and a fifth more, made odd.
    static int BucketsFor(int n);
    int Count() const { return m_count; }
    const std::vector<std::string>& Names() const { return m_names; }
    size_t BucketCount() const { return m_table.bucket_count(); }
    size_t TableSize() const { return m_table.size(); }

private:
    uint32_t MakeTexture(const texture_file::Record& record);

    std::unordered_map<std::string, uint32_t> m_table;
    int m_count = 0;
    std::vector<std::string> m_names;
    texture_file::Record m_record; // its pixel storage is reused for every record
};

// Draws the bound texture on a square of side 2 * half round the origin, at depth z.
void DrawTexQuad(float half, float z);
