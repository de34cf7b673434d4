#include "voxnote/app/ui/detached_program_starter.h"

#include <QFileInfo>
#include <QProcess>

namespace voxnote {

bool DetachedProgramStarter::Start(const std::string& path) {
    const QString program = QString::fromStdString(path);
    return QProcess::startDetached(program, {}, QFileInfo(program).absolutePath());
}

}  // namespace voxnote
