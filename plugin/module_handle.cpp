#include "plugin/module_handle.h"

namespace solva {

namespace {
void* gModuleHandle = nullptr;
}

void setModuleHandle(void* handle) { gModuleHandle = handle; }
void* moduleHandle() { return gModuleHandle; }

}  // namespace solva
