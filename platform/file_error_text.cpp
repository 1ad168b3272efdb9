#include "platform/file_error_text.h"

#include <cerrno>

std::string fileErrorText(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return "map bestaat niet";
        case EACCES:
        case EPERM:
            return "geen toestemming";
        case ENOSPC:
        case EDQUOT:
            return "schijf vol";
        case EROFS:
            return "alleen-lezen bestandssysteem";
        case EFBIG:
            return "bestand te groot";
        case EISDIR:
            return "er staat een map met die naam";
        case EBADF:
            return "gesloten";
        default:
            return "systeemfout " + std::to_string(error);
    }
}
