#pragma once
// The scorecard program's name, version, description and legal notice, as the
// about window shows them.

namespace ks {

void SetProgramInfo();

}
