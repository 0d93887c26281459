#!/usr/bin/env bash
# What a Linux screen reader reads, over AT-SPI: the roles and names of the main window's controls
# and of one category window per kind of cell, presses through the Action interface (a category
# window opens, a cell's link is launched, the notice and failure boxes are alerts with their
# text), the focus events of Tab and Shift+Tab in focus order, and a blinking slogan that sends no
# event a reader would speak.
source "$(dirname "$0")/reader-lib.sh"

reader_start_bus
e2e_start
E2E_RECORD=$e2e_record E2E_OPENER=$e2e_stub_dir/xdg-open E2E_CATALOG_FILE=$e2e_catalog_file \
  MAIN_WINDOW_ID=$main_id E2E_TIMEOUT=$E2E_TIMEOUT \
  "$READER_PYTHON" "$reader_dir/atspi_reader.py" tree
echo "PASS"
