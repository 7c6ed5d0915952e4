#include "main/program_info.h"

#include "main/program_info_values.h"
#include "platform/runtime/app.h"

namespace ks {

void SetProgramInfo()
{
    App::setExeName(QStringLiteral("kestrune"));
    App::setVersion(program_info::kMajor, program_info::kMinor, program_info::kRevision);
    App::setDescriptions(QString::fromUtf8(program_info::kDescription), QString::fromUtf8(program_info::kLegalNotice),
                         QString());
}

}
