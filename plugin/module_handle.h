// The library's own module handle, kept by the Windows process-attach
// handler for loading resources; null on other platforms.
#pragma once

namespace solva {

void setModuleHandle(void* handle);
void* moduleHandle();

}  // namespace solva
