#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/svg_surface.h"
#include "solutions/picture_sink.h"

// "oplossing-007.svg": the solution's number with as many digits as the file's count has (at least
// three), so that the files of one export sort in their order.
std::string pictureFileName(std::int64_t number, std::int64_t solutionsInFile, const std::string& extension);

// Writes `bytes` to `path` through a temporary file next to it that is renamed over the target only
// when everything was written: a failure (a full disk) leaves whatever was under the name before.
// Returns the Dutch reason of a failure, nothing on success.
std::optional<std::string> writeFileAtomically(const std::string& path, const std::string& bytes);

// Makes `folder` (and the folders above it) when it is not there. The Dutch reason of a failure.
std::optional<std::string> makeTargetFolder(const std::string& folder);

// The largest picture for a chosen width: the Board's height follows from its shape.
inline Rect pictureAreaForWidth(int width) {
    return Rect{0, 0, width, width * 16};
}

// One SVG file per solution in a folder.
class SvgFolderSink : public PictureSink {
  public:
    SvgFolderSink(std::string folder, int width) : m_strFolder(std::move(folder)), m_nWidth(width) {}

    bool start(std::int64_t pictures, std::int64_t solutionsInFile, const Board& board) override;
    Rect pictureArea() const override { return pictureAreaForWidth(m_nWidth); }
    int pictureWidth() const override { return m_nWidth; }
    DrawingSurface* beginPicture(std::int64_t number, const Rect& size) override;
    void beginPiece(const std::string& label) override { m_surface->beginGroup(label); }
    void endPiece() override { m_surface->endGroup(); }
    bool endPicture() override;
    bool finish() override { return true; }
    void abandon() override {}

  private:
    std::string m_strFolder;
    int m_nWidth;
    std::int64_t m_nSolutionsInFile = 0;
    std::int64_t m_nNumber = 0;
    std::string m_strText;
    std::optional<SvgSurface> m_surface;
};
