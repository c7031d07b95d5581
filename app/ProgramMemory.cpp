// The program's own allocation operators. The product allocates only through the forms that
// return null on failure and checks the result; providing them here keeps the C++ runtime's
// versions, and the exception machinery they would bring into the image, out of the installer.
// The tag those forms take is defined here as well: the runtime's definition sits beside its
// handler for failed allocations, which this program never calls, with data of its own.

#include <cstdlib>
#include <new>

const std::nothrow_t std::nothrow{};

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return std::malloc(size ? size : 1);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return std::malloc(size ? size : 1);
}

void operator delete(void* block) noexcept
{
    std::free(block);
}

void operator delete[](void* block) noexcept
{
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept
{
    std::free(block);
}

void operator delete[](void* block, std::size_t) noexcept
{
    std::free(block);
}
