#include "solutions/picture_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace {

std::string reason(int error) {
    if (error == ENOSPC) return "de schijf is vol";
    if (error == EACCES || error == EPERM || error == EROFS) return "geen toestemming om te schrijven";
    if (error == ENOENT || error == ENOTDIR) return "de map is er niet";
    return "fout " + std::to_string(error) + " (" + std::strerror(error) + ")";
}

}  // namespace

std::string pictureFileName(std::int64_t number, std::int64_t solutionsInFile, const std::string& extension) {
    const int digits = std::max(3, static_cast<int>(std::to_string(solutionsInFile).size()));
    char text[64];
    std::snprintf(text, sizeof text, "oplossing-%0*lld.", digits, static_cast<long long>(number));
    return text + extension;
}

std::optional<std::string> writeFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".deel";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return "Bestand " + path + " kan niet worden geschreven: " + reason(errno);
    bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    int error = written ? 0 : errno;
    // A full disk often shows only when the buffer is flushed on closing.
    if (std::fclose(file) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && std::rename(temporary.c_str(), path.c_str()) != 0) {
        written = false;
        error = errno;
    }
    if (written) return std::nullopt;
    std::remove(temporary.c_str());
    return "Bestand " + path + " kan niet worden geschreven: " + reason(error);
}

std::optional<std::string> makeTargetFolder(const std::string& folder) {
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) return std::nullopt;
    if (std::filesystem::create_directories(folder, error) && !error) return std::nullopt;
    return "Map " + folder + " kan niet worden gemaakt" +
           (error ? ": " + reason(error.value()) : std::string());
}

bool SvgFolderSink::start(std::int64_t, std::int64_t solutionsInFile, const Board&) {
    m_nSolutionsInFile = solutionsInFile;
    if (auto problem = makeTargetFolder(m_strFolder)) {
        failure = *problem;
        return false;
    }
    return true;
}

DrawingSurface* SvgFolderSink::beginPicture(std::int64_t number, const Rect& size) {
    m_nNumber = number;
    m_surface.emplace(m_strText, size.width(), size.height());
    return &*m_surface;
}

bool SvgFolderSink::endPicture() {
    m_surface->finish();
    const auto path =
        std::filesystem::path(m_strFolder) / pictureFileName(m_nNumber, m_nSolutionsInFile, "svg");
    if (auto problem = writeFileAtomically(path.string(), m_strText)) {
        failure = *problem;
        return false;
    }
    return true;
}
