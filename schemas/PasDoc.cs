x{ %FuncName%
o   Description.
x   Parameters: %Parameters%
o   @returns(%Result%)
o   @author(%Coder%)
o   @created(%Date%)
x   @lastmod(%Update%%Date:10% %Coder:20% CRC %Crc%
x   )}
