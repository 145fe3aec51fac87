# Hardened as Debian hardens its own packages, so that a program built from
# here is no weaker than one from the archive: position-independent, with a
# stack protector, checked libc calls, and relocations made read-only before
# main() runs. The ELF linker options have no meaning on Windows or macOS.
#
# Included once from the top level, before any target is made; it sets
# directory-wide options, so everything built here is hardened alike.

if(NOT HEARTHVALE_HARDEN OR MSVC OR NOT UNIX OR APPLE)
    return()
endif()

include(CheckPIESupported)
check_pie_supported(OUTPUT_VARIABLE pie_output LANGUAGES CXX)
if(NOT CMAKE_CXX_LINK_PIE_SUPPORTED)
    message(WARNING "The linker cannot make position-independent programs:\n${pie_output}")
endif()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
add_compile_options(-fstack-protector-strong)
# Fortify needs the optimiser; at -O0 glibc warns and does nothing.
# With the sanitizers it would only add noise to their reports.
if(NOT HEARTHVALE_SANITIZE)
    add_compile_options($<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
endif()
# Debian's newer defaults on top: stack clash and control-flow protection
# (the latter x86 only), where the compiler has them.
include(CheckCXXCompilerFlag)
check_cxx_compiler_flag(-fstack-clash-protection HEARTHVALE_HAS_STACK_CLASH)
if(HEARTHVALE_HAS_STACK_CLASH)
    add_compile_options(-fstack-clash-protection)
endif()
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64|i.86)$")
    check_cxx_compiler_flag(-fcf-protection HEARTHVALE_HAS_CF_PROTECTION)
    if(HEARTHVALE_HAS_CF_PROTECTION)
        add_compile_options(-fcf-protection)
    endif()
endif()
add_link_options(-Wl,-z,relro -Wl,-z,now)
