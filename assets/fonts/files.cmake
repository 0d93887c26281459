# The embedded fonts, made by scripts/make-fonts (see README.md in this folder).
set(VESTORA_FONT_FILES fonts/VestoraKai-Regular.ttf fonts/VestoraSans-Regular.ttf)
