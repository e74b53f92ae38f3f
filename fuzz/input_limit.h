// A target whose parser reaches nothing new past some input length asks libFuzzer for
// inputs no longer than that, unless the command line names a -max_len of its own. The
// runs then spend their time on inputs of that size, and seeds and kept inputs are read
// cut to it, instead of libFuzzer taking the longest seed as the length to grow to.
#pragma once

#include <cstring>
#include <vector>

// Called from LLVMFuzzerInitialize, which libFuzzer runs before it reads its flags.
inline void limitInputLength(int* argc, char*** argv, const char* maxLenFlag)
{
    for (int i = 1; i < *argc; ++i)
        if (std::strncmp((*argv)[i], "-max_len=", 9) == 0)
            return;
    static std::vector<char*> args;
    args.assign(*argv, *argv + *argc);
    args.push_back(const_cast<char*>(maxLenFlag));
    args.push_back(nullptr);
    *argv = args.data();
    ++*argc;
}
