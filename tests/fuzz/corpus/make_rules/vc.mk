# defaults
compiler = cl.exe
linker = link.exe
cflags = /nologo /c
[debug]
cflags += /Od /Zi
[release x64|x86 !lib]
cflags += /O2
[vc6|vc2022 unicode pch]
pch_use = /Yu$pch
compile = $compiler $cflags /Fo$out $in
; end
