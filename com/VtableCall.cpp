#include "com/VtableCall.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <utility>

namespace ondivar {
namespace {

using Function = void (*)();

Function slotOf(void* instance, unsigned slotOffset)
{
    const Function* vtable = *static_cast<Function* const*>(instance);
    return vtable[slotOffset / sizeof(Function)];
}

#if defined(_WIN64)

// x64: the object and every argument take one register or stack slot each. A VARIANT by value is
// passed as the address of a copy the caller made.
using Word = ULONG_PTR;
constexpr std::size_t kMostWords = kMostMemberArguments;

template <std::size_t I> using WordAt = Word;

template <std::size_t... I>
HRESULT callWithWords(void* instance, Function function, const Word* words, std::index_sequence<I...>)
{
    using Member = HRESULT(STDMETHODCALLTYPE*)(void*, WordAt<I>...);
    return reinterpret_cast<Member>(function)(instance, words[I]...);
}

template <std::size_t N> HRESULT callWords(void* instance, Function function, const Word* words)
{
    return callWithWords(instance, function, words, std::make_index_sequence<N>());
}

#else

// x86 __stdcall: the arguments lie on the stack after the object, first argument first, a VARIANT by
// value as its sixteen bytes; the callee pops them. A block of that many 32-bit words passed by value
// lies there the same way.
using Word = DWORD;
constexpr std::size_t kMostWords = kMostMemberArguments * sizeof(VARIANT) / sizeof(Word);

template <std::size_t N> struct Words {
    Word word[N];
};

template <std::size_t N> HRESULT callWords(void* instance, Function function, const Word* words)
{
    if constexpr (N == 0) {
        using Member = HRESULT(STDMETHODCALLTYPE*)(void*);
        return reinterpret_cast<Member>(function)(instance);
    } else {
        using Member = HRESULT(STDMETHODCALLTYPE*)(void*, Words<N>);
        Words<N> block;
        std::memcpy(block.word, words, sizeof block.word);
        return reinterpret_cast<Member>(function)(instance, block);
    }
}

#endif

using WordCall = HRESULT (*)(void*, Function, const Word*);

template <std::size_t... N> constexpr auto wordCalls(std::index_sequence<N...>)
{
    return std::array<WordCall, sizeof...(N)>{&callWords<N>...};
}

} // namespace

HRESULT callMember(void* instance, unsigned slotOffset, unsigned count, const VARTYPE* types,
                   VARIANTARG* const* arguments) noexcept
{
    if (instance == nullptr || count > kMostMemberArguments)
        return E_INVALIDARG;
    static constexpr auto kCalls = wordCalls(std::make_index_sequence<kMostWords + 1>());
#if defined(_WIN64)
    // The callee's copies of its VARIANT arguments: bit copies, as a compiled caller makes them.
    VARIANT copies[kMostMemberArguments];
#endif
    Word words[kMostWords];
    std::size_t used = 0;
    for (unsigned p = 0; p < count; ++p) {
        VARIANTARG* argument = arguments[p];
        switch (types[p]) {
        case VT_BSTR:
            words[used++] = reinterpret_cast<Word>(V_BSTR(argument));
            break;
        case VT_BYREF | VT_VARIANT:
            words[used++] = reinterpret_cast<Word>(V_VARIANTREF(argument));
            break;
        case VT_VARIANT:
#if defined(_WIN64)
            std::memcpy(&copies[p], argument, sizeof(VARIANT));
            words[used++] = reinterpret_cast<Word>(&copies[p]);
#else
            std::memcpy(&words[used], argument, sizeof(VARIANT));
            used += sizeof(VARIANT) / sizeof(Word);
#endif
            break;
        default:
            return E_INVALIDARG;
        }
    }
    return kCalls[used](instance, slotOf(instance, slotOffset), words);
}

} // namespace ondivar
