# vc.mk - how build.exe compiles, links and archives. It lies beside build.exe; the Build menu opens it.
#
# Lines before the first [section] apply to every build. A section applies when every word of its
# condition holds for the build at hand:
#   debug release                           BuildType of the configuration
#   x86 x64 arm64 arm                       BuildArch
#   vc6 vc2003 ... vc2022                   BuildTool
#   exe dll sys lib                         TARGETTYPE of build.tvk
#   libcmt mfcstatic mfcdll msvcrxx none    RUNTIMELIB
#   unicode ansi                            USEUNICODE=1 or 0
#   pch                                     PCH is set
# "a|b" holds when either holds, "!a" when a does not. Sections are read top to bottom:
# "key = value" replaces what an earlier section set, "key += value" adds to it.
#
# Values are Ninja text: $name is a variable, $$ a dollar sign. The engine adds to the flags what
# build.tvk and build.xml ask for (MACROS as /D, INCLUDES as /I, LIBPATHS as /LIBPATH:, CFLAGS,
# LFLAGS, RFLAGS, AFLAGS, LIBS) and gives the rules these variables:
#   $in $out       the inputs and the output of a step
#   $pchflags      $pch_create for the source that makes the precompiled header, $pch_use for
#                  the sources that use it, empty otherwise
#   $pch $pchfile  the header named by PCH, and <target>.pch
#   $pdb $implib   <target>.pdb and <target>.lib in the output folder
# The link and archive rules get their inputs in the response file $out.rsp.
# Programs are looked up on Path (the configuration's compiler folders come first).

compiler = cl.exe
linker = link.exe
librarian = lib.exe
rc = rc.exe
assembler = ml64.exe

cflags = /nologo /W3 /EHsc /DWIN32 /D_WINDOWS
rflags = /nologo
aflags = /nologo
lflags = /nologo /DEBUG
libflags = /nologo
libs = kernel32.lib user32.lib gdi32.lib winspool.lib comdlg32.lib advapi32.lib shell32.lib ole32.lib oleaut32.lib uuid.lib

pch_create = /Yc$pch /Fp$pchfile
pch_use = /Yu$pch /Fp$pchfile

# /showIncludes lets Ninja learn each source's headers, so touching a header rebuilds its users only.
compile = $compiler /showIncludes /c $cflags $pchflags /Fd$pdb /Fo$out $in
resource = $rc $rflags /fo $out $in
assemble = $assembler $aflags /c /Fo $out $in
link = $linker $lflags /OUT:$out @$out.rsp $libs
archive = $librarian $libflags /OUT:$out @$out.rsp

# Drivers: no C run time, the kernel's entry point and libraries (before the sections that add to
# every build, which add to these).
[sys]
cflags = /nologo /W3 /kernel /GS- /Zp8 /D_KERNEL_MODE /DWIN32_LEAN_AND_MEAN
lflags = /nologo /DEBUG /DRIVER /SUBSYSTEM:NATIVE /ENTRY:DriverEntry /NODEFAULTLIB
libs = ntoskrnl.lib hal.lib wmilib.lib BufferOverflowK.lib
[sys x86]
cflags += /D_X86_=1 /Gz
[sys x64]
cflags += /D_AMD64_ /D_WIN64
[sys debug]
cflags += /DDBG=1

[x86]
assembler = ml.exe
[arm64]
assembler = armasm64.exe
[arm]
assembler = armasm.exe

[debug]
cflags += /Zi /Od /D_DEBUG
[release]
cflags += /O2 /DNDEBUG
lflags += /OPT:REF /OPT:ICF

# Parallel compiles write one program database: newer compilers need /FS for that.
[debug vc2013|vc2015|vc2017|vc2019|vc2022]
cflags += /FS

# The run-time library.
[libcmt|mfcstatic debug]
cflags += /MTd
[libcmt|mfcstatic release]
cflags += /MT
[msvcrxx|mfcdll debug]
cflags += /MDd
[msvcrxx|mfcdll release]
cflags += /MD
[mfcdll]
cflags += /D_AFXDLL
rflags += /D_AFXDLL

[unicode]
cflags += /DUNICODE /D_UNICODE
rflags += /DUNICODE /D_UNICODE
[ansi !sys]
cflags += /D_MBCS

[dll]
cflags += /D_USRDLL /D_WINDLL
link = $linker $lflags /DLL /IMPLIB:$implib /OUT:$out @$out.rsp $libs

# Visual C++ 6.0 knows no /showIncludes: its builds see a changed header only on a rebuild.
[vc6]
compile = $compiler /c $cflags $pchflags /Fd$pdb /Fo$out $in
