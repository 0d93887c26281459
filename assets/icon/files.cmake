# The program's icon, embedded as ":/icon/vestora.ico" (paths relative to assets/). Every file
# in this folder except this one is written by tools/icon_generator.
set(VESTORA_ICON_FILES icon/vestora.ico)
