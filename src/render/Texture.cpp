#include "render/Texture.h"
#include "platform/File.h"
#include "platform/MessageBox.h"
#include "render/Archive.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cmath>

CTexture::CTexture() { m_record.pixels.reserve(texture_file::kMaxPixelBytes); }

// The GL context may already be gone: the names are forgotten, not deleted.
CTexture::~CTexture() = default;

void CTexture::Load()
{
    platform::File file;
    platform::FileError error = platform::FileError::none;
    if (!file.Open(texture_file::kPath, platform::File::modeRead, &error)) {
        platform::ReportFileError(error, texture_file::kPath);
        return;
    }
    CArchive ar(file, CArchive::load);
    try {
        Serialize(ar);
    } catch (const CArchiveException& e) {
        platform::ReportFileError(e.m_cause, texture_file::kPath);
    } catch (const texture_file::Damaged& e) {
        platform::MessageBox(std::string(texture_file::kPath) + " is damaged: " + e.what() + ".", "Vexorin");
    }
    ar.Close();
    file.Close();
}

void CTexture::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        return;
    // Loading again replaces the textures: the earlier ones are not left behind in GL.
    DeleteAllTextures();
    m_count = texture_file::ReadCount(ar);
    InitTexHashTable(m_count);
    m_names.assign(m_count, std::string());
    for (int i = 0; i < m_count; ++i) {
        texture_file::ReadRecord(ar, i, m_record);
        // A key stored twice keeps its last picture; the first is not left behind in GL.
        DeleteTexture(m_record.key);
        m_table[m_record.key] = MakeTexture(m_record);
        m_names[i] = m_record.key;
    }
}

// Makes the texture and leaves it bound.
// Rows are stored without padding, so the upload reads them byte-aligned
// whatever the width; the caller's alignment is put back afterwards.
uint32_t CTexture::MakeTexture(const texture_file::Record& record)
{
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    if (record.filter == 3) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
        gluBuild2DMipmaps(
            GL_TEXTURE_2D, 3, record.width, record.height, GL_RGB, GL_UNSIGNED_BYTE, record.pixels.data());
    } else {
        // Unknown filter values are drawn smooth rather than left without an image.
        GLint filter = record.filter == 0 ? GL_NEAREST : GL_LINEAR;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
        glTexImage2D(
            GL_TEXTURE_2D, 0, 3, record.width, record.height, 0, GL_RGB, GL_UNSIGNED_BYTE, record.pixels.data());
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return id;
}

int CTexture::BucketsFor(int n)
{
    int buckets = n <= 10 ? 13 : n + static_cast<int>(n * 0.2);
    return buckets % 2 == 0 ? buckets + 1 : buckets;
}

void CTexture::InitTexHashTable(int n)
{
    m_table.clear();
    m_table.rehash(BucketsFor(n));
}

void CTexture::Use(const char* key) { Use(std::string(key)); }

void CTexture::Use(const std::string& key)
{
    auto found = m_table.try_emplace(key, 0).first;
    glBindTexture(GL_TEXTURE_2D, found->second);
}

void CTexture::DeleteTexture(const std::string& key)
{
    auto found = m_table.find(key);
    if (found != m_table.end() && found->second != 0)
        glDeleteTextures(1, &found->second);
}

void CTexture::DeleteAllTextures()
{
    for (int i = 0; i < m_count && i < static_cast<int>(m_names.size()); ++i)
        DeleteTexture(m_names[i]);
    m_names.clear();
    m_table.clear();
}

void CTexture::ReloadWithGamma(float gamma)
{
    DeleteAllTextures();
    GLfloat map[256];
    for (int i = 0; i < 256; ++i)
        map[i] = std::pow(i / 255.0f, 1.0f / gamma);
    glPixelTransferi(GL_MAP_COLOR, GL_TRUE);
    glPixelMapfv(GL_PIXEL_MAP_R_TO_R, 256, map);
    glPixelMapfv(GL_PIXEL_MAP_G_TO_G, 256, map);
    glPixelMapfv(GL_PIXEL_MAP_B_TO_B, 256, map);
    Load();
}

void DrawTexQuad(float half, float z)
{
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(-half, -half, z);
    glTexCoord2f(1, 0);
    glVertex3f(half, -half, z);
    glTexCoord2f(1, 1);
    glVertex3f(half, half, z);
    glTexCoord2f(0, 1);
    glVertex3f(-half, half, z);
    glEnd();
}
