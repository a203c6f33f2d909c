#include "transfer/DataFilePath.h"

std::string CompleteExportPath(const std::string& path) {
    const std::string cut = ".Sor";
    if (path.size() >= cut.size() && path.compare(path.size() - cut.size(), cut.size(), cut) == 0)
        return path + "row";
    return path;
}
