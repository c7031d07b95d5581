#pragma once

// The address of a kernel32 function that older systems lack, or null where it is missing.
void* KernelExport(const char* name);
