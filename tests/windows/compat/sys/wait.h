// std::system answers the program's exit code directly on Windows.
#pragma once

#define WIFEXITED(status) ((status) != -1)
#define WEXITSTATUS(status) (status)
